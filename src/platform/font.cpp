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

void TFont::SetName(const std::string& value) {
    if (FName == value)
        return;
    FName = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (FHeight == value)
        return;
    FHeight = value;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, FPixelsPerInch, 72));
}

void TFont::SetStyle(TFontStyles value) {
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TFont::SetPixelsPerInch(int value) {
    if (value <= 0 || FPixelsPerInch == value)
        return;
    FPixelsPerInch = value;
    Changed();
}

} // namespace orvalis
