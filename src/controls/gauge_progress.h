#pragma once

#include "content/progress_gauge.h"

namespace orvalis {

class TGauge;

// Lets the content store drive a gauge on screen: progress, showing and hiding go to the gauge, and the
// pending messages to the application, so the gauge's window repaints during the long work.
class TGaugeProgress : public TProgressGauge {
public:
    explicit TGaugeProgress(TGauge& gauge) : FGauge(gauge) {}

    void SetProgress(int32_t progress) override;
    void Show() override;
    void Hide() override;
    void ProcessMessages() override;

private:
    TGauge& FGauge;
};

} // namespace orvalis
