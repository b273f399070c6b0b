#include "controls/gauge_progress.h"
#include "controls/gauge.h"
#include "platform/form.h"

#include <cstdlib>

namespace orvalis {

void TGaugeProgress::SetProgress(int32_t progress) {
    FPending = progress;
    FHasPending = true;
    // The clock is read every few reports only: the reports come once a record.
    if (FReports++ % ClockEvery == 0 && TClock::now() - FLastProgress >= FrameInterval)
        ShowPending();
}

void TGaugeProgress::ShowPending() {
    if (!FHasPending)
        return;
    FHasPending = false;
    FLastProgress = TClock::now();
    FGauge.SetProgress(FPending);
}

void TGaugeProgress::Show() {
    FGauge.Show();
}

void TGaugeProgress::Hide() {
    // The gauge keeps the last progress reported; hidden first, it is not painted once more for it.
    FGauge.Hide();
    ShowPending();
}

void TGaugeProgress::ProcessMessages() {
    const TClock::time_point now = TClock::now();
    if (std::abs(FPending - FProcessedProgress) < MessageStep && now - FLastMessages < FrameInterval)
        return;
    FProcessedProgress = FPending;
    FLastMessages = now;
    // The gauge shows the latest progress before the window repaints.
    ShowPending();
    Application().ProcessMessages();
}

} // namespace orvalis
