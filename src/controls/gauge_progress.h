#pragma once

#include "content/progress_gauge.h"

#include <chrono>
#include <cstdint>

namespace orvalis {

class TGauge;

// Lets the content store drive a gauge on screen: progress, showing and hiding go to the gauge, and the
// pending messages to the application, so the gauge's window repaints during the long work. The store
// reports after every record; the gauge repaints at most once a frame, and the messages are handled when the
// progress moved on by a tenth or a frame has passed. That keeps the window as lively while the work itself is not
// slowed down by a hundred repaints per pass or a message round per record. Hiding leaves the gauge at the
// last progress reported.
class TGaugeProgress : public TProgressGauge {
public:
    explicit TGaugeProgress(TGauge& gauge) : FGauge(gauge) {}

    void SetProgress(int32_t progress) override;
    void Show() override;
    void Hide() override;
    void ProcessMessages() override;

    static constexpr std::chrono::milliseconds FrameInterval{15};
    static constexpr int32_t MessageStep = 10;
    static constexpr uint32_t ClockEvery = 32;

private:
    using TClock = std::chrono::steady_clock;

    TGauge& FGauge;
    void ShowPending();

    uint32_t FReports = 0;
    int32_t FPending = 0;
    bool FHasPending = false;
    int32_t FProcessedProgress = -MessageStep;
    TClock::time_point FLastProgress{};
    TClock::time_point FLastMessages{};
};

} // namespace orvalis
