#include "controls/gauge_progress.h"
#include "controls/gauge.h"
#include "platform/form.h"

namespace orvalis {

void TGaugeProgress::SetProgress(int32_t progress) {
    FGauge.SetProgress(progress);
}

void TGaugeProgress::Show() {
    FGauge.Show();
}

void TGaugeProgress::Hide() {
    FGauge.Hide();
}

void TGaugeProgress::ProcessMessages() {
    const auto now = std::chrono::steady_clock::now();
    if (now - FLastMessages < MessageInterval)
        return;
    FLastMessages = now;
    Application().ProcessMessages();
}

} // namespace orvalis
