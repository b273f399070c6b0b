#pragma once

#include <cstddef>

namespace orvalis {

// A stretch of a text, as offsets: Start up to, not including, End.
struct TTextRange {
    size_t Start = 0;
    size_t End = 0;

    bool Empty() const { return Start >= End; }
    // The range between two positions, whichever comes first.
    static TTextRange Between(size_t a, size_t b) { return a <= b ? TTextRange{a, b} : TTextRange{b, a}; }
    friend bool operator==(const TTextRange&, const TTextRange&) = default;
};

} // namespace orvalis
