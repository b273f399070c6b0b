#include "platform/palette.h"

namespace orvalis {

TPalette::TPalette(std::vector<TColor> entries) : FEntries(std::move(entries)) {
    if (FEntries.size() > MaxEntries)
        FEntries.resize(MaxEntries);
}

size_t TPalette::NearestIndex(TColor color) const {
    size_t best = 0;
    long bestDistance = -1;
    for (size_t i = 0; i < FEntries.size(); ++i) {
        const TColor& e = FEntries[i];
        const long dr = long(e.R) - color.R, dg = long(e.G) - color.G, db = long(e.B) - color.B;
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0)
                break;
        }
    }
    return best;
}

TColor TPalette::NearestColor(TColor color) const {
    return FEntries.empty() ? color : FEntries[NearestIndex(color)];
}

} // namespace orvalis
