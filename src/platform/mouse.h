#pragma once

#include "platform/geometry.h"

#include <optional>

namespace orvalis {

// The mouse pointer. Its position comes from the window system; tests, which have no pointer to move,
// fix it.
class TMouse {
public:
    // In screen coordinates.
    TPoint CursorPos() const;
    void SetCursorPosOverride(std::optional<TPoint> position) { FOverride = position; }

private:
    std::optional<TPoint> FOverride;
};

TMouse& Mouse();

} // namespace orvalis
