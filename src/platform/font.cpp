#include "platform/font.h"

#include <cmath>

namespace orvalis {

namespace {
// Rounds a quotient of whole numbers to the nearest, halves away from zero, as a device's MulDiv does.
int MulDiv(int a, int b, int c) {
    if (c == 0)
        return 0;
    return int(std::lround(double(a) * b / c));
}
} // namespace

TFont& TFont::Assign(const TFont& other) {
    if (SameValue(other))
        return *this;
    FName = other.FName;
    FHeight = other.FHeight;
    FStyle = other.FStyle;
    FColor = other.FColor;
    FPixelsPerInch = other.FPixelsPerInch;
    Changed();
    return *this;
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, FPixelsPerInch, 72));
}

void TFont::SetPixelsPerInch(int value) {
    if (value > 0)
        SetProperty(FPixelsPerInch, value);
}

} // namespace orvalis
