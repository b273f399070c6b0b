#include "platform/brush.h"

namespace orvalis {

TBrush& TBrush::Assign(const TBrush& other) {
    if (SameValue(other))
        return *this;
    FColor = other.FColor;
    FStyle = other.FStyle;
    Changed();
    return *this;
}

void TBrush::SetColor(TColor value) {
    if (FColor == value && FStyle == TBrushStyle::bsSolid)
        return;
    FColor = value;
    FStyle = TBrushStyle::bsSolid;
    Changed();
}

} // namespace orvalis
