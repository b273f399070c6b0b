#pragma once

#include <cstdint>

namespace orvalis {

// What the content store needs of a progress gauge while it loads or searches. The user interface adapts
// its real gauge to this; the store itself knows nothing of windows.
class TProgressGauge {
public:
    virtual ~TProgressGauge() = default;
    virtual void SetProgress(int32_t progress) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Lets the user interface handle its pending messages, so that the gauge repaints during long work.
    virtual void ProcessMessages() = 0;
};

} // namespace orvalis
