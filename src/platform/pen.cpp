#include "platform/pen.h"

#include <algorithm>

namespace orvalis {

TPen& TPen::Assign(const TPen& other) {
    if (SameValue(other))
        return *this;
    FColor = other.FColor;
    FWidth = other.FWidth;
    FStyle = other.FStyle;
    Changed();
    return *this;
}

void TPen::SetWidth(int value) {
    SetProperty(FWidth, std::max(value, 1));
}

} // namespace orvalis
