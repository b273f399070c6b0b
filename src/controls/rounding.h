#pragma once

#include <cmath>

namespace orvalis {

// Computed coordinates round to the nearest integer, halves to the even neighbour.
inline int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace orvalis
