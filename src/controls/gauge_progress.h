#pragma once

#include "content/progress_gauge.h"

#include <chrono>

namespace orvalis {

class TGauge;

// Lets the content store drive a gauge on screen: progress, showing and hiding go to the gauge, and the
// pending messages to the application, so the gauge's window repaints during the long work. The store asks
// for that after every record; the messages are handled at most every few milliseconds, which keeps the
// window as lively while a file of millions of tiny records loads in linear time.
class TGaugeProgress : public TProgressGauge {
public:
    explicit TGaugeProgress(TGauge& gauge) : FGauge(gauge) {}

    void SetProgress(int32_t progress) override;
    void Show() override;
    void Hide() override;
    void ProcessMessages() override;

    static constexpr std::chrono::milliseconds MessageInterval{8};

private:
    TGauge& FGauge;
    std::chrono::steady_clock::time_point FLastMessages{};
};

} // namespace orvalis
