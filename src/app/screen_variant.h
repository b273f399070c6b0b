#pragma once

#include "controls/shared_palette.h"
#include "platform/color.h"
#include "platform/geometry.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvalis {

class TWinControl;

// The layout the main window is shown in: 0, 1 or 2 for the 640x480, 800x600 and 1024x768 layouts.
// Chosen once while the main window is created; 0 until then.
uint8_t ScreenVariant();
void SetScreenVariant(uint8_t value);
// The picture name suffix of a variant: "6x4", "8x6" or "10x7".
std::string_view VariantSuffix(uint8_t variant);

// A chosen layout and the factor Num / Den that scales the 640x480 design to it.
struct TVariantChoice {
    uint8_t Variant = 0;
    int Num = 1;
    int Den = 1;
    friend bool operator==(const TVariantChoice&, const TVariantChoice&) = default;
};

// The layout for a screen of width x height pixels; none when the screen is smaller than the smallest
// layout in the deciding dimension. A screen at least as wide as 4:3 is decided by its height, a narrower
// one by its width; the larger layouts need 768 / 864 rows (1024 / 1152 columns), so that an 800x600
// screen gets the 640x480 layout and a 1024x768 screen the 800x600 one.
std::optional<TVariantChoice> ChooseScreenVariant(int width, int height);

// n x num / den to the nearest whole number, halves to the even neighbour, exact in integers.
int ScaleLength(int n, int num, int den);

// Multiplies the position, size and font size of every control inside the window by num / den: each
// control's edges are scaled, so that neighbouring controls stay edge to edge. Fonts that follow their
// parent's follow the scaled one.
void ScaleControls(TWinControl& window, int num, int den);

// Where a panel of the given size is centred in a window of the given size, halves truncated.
TPoint CenteredOrigin(TSize window, TSize panel);

} // namespace orvalis
