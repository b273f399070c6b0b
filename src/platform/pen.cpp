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

void TPen::SetColor(TColor value) {
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TPen::SetWidth(int value) {
    value = std::max(value, 1);
    if (FWidth == value)
        return;
    FWidth = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

} // namespace orvalis
