#pragma once

#include "platform/color.h"

#include <cstddef>
#include <vector>

namespace orvalis {

// A logical palette: up to 256 colours, as a device with 256 or 16 colours shows them.
class TPalette {
public:
    static constexpr size_t MaxEntries = 256;

    TPalette() = default;
    // Keeps the first MaxEntries colours.
    explicit TPalette(std::vector<TColor> entries);

    size_t Count() const { return FEntries.size(); }
    bool Empty() const { return FEntries.empty(); }
    TColor Entry(size_t index) const { return FEntries.at(index); }
    const std::vector<TColor>& Entries() const { return FEntries; }

    // The index of the entry closest to the colour by squared distance in red, green and blue; the lowest
    // index among equals. An empty palette answers 0.
    size_t NearestIndex(TColor color) const;
    // The closest entry; an empty palette answers the colour itself.
    TColor NearestColor(TColor color) const;

    friend bool operator==(const TPalette&, const TPalette&) = default;

private:
    std::vector<TColor> FEntries;
};

} // namespace orvalis
