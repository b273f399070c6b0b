#include "app/screen_variant.h"
#include "controls/shared_palette.h"
#include "platform/control.h"
#include "platform/screen.h"

namespace orvalis {

namespace {
uint8_t ChosenVariant = 0;

// The smallest layout, and the rows (columns) from which the two larger layouts are chosen.
constexpr int DesignWidth = 640, DesignHeight = 480;
constexpr int RowsForVariant1 = 768, RowsForVariant2 = 864;
constexpr int ColumnsForVariant1 = 1024, ColumnsForVariant2 = 1152;
} // namespace

uint8_t ScreenVariant() {
    return ChosenVariant;
}

void SetScreenVariant(uint8_t value) {
    ChosenVariant = value;
}

std::string_view VariantSuffix(uint8_t variant) {
    switch (variant) {
    case 1:
        return "8x6";
    case 2:
        return "10x7";
    default:
        return "6x4";
    }
}

std::optional<TVariantChoice> ChooseScreenVariant(int width, int height) {
    // W / 640 >= H / 480, compared exactly.
    if (int64_t(width) * DesignHeight >= int64_t(height) * DesignWidth) {
        if (height < DesignHeight)
            return std::nullopt;
        if (height < RowsForVariant1)
            return TVariantChoice{0, 1, 1};
        if (height < RowsForVariant2)
            return TVariantChoice{1, 600, 480};
        return TVariantChoice{2, 768, 480};
    }
    if (width < DesignWidth)
        return std::nullopt;
    if (width < ColumnsForVariant1)
        return TVariantChoice{0, 1, 1};
    if (width < ColumnsForVariant2)
        return TVariantChoice{1, 800, 640};
    return TVariantChoice{2, 1024, 640};
}

int ScaleLength(int n, int num, int den) {
    if (n < 0)
        return -ScaleLength(-n, num, den);
    const int64_t scaled = int64_t(n) * num;
    int64_t q = scaled / den;
    const int64_t twiceRest = 2 * (scaled % den);
    if (twiceRest > den || (twiceRest == den && q % 2 != 0))
        ++q;
    return int(q);
}

namespace {
void ScaleChildren(TWinControl& parent, int num, int den) {
    for (TControl* control : parent.Controls()) {
        const int left = ScaleLength(control->Left(), num, den);
        const int top = ScaleLength(control->Top(), num, den);
        const int right = ScaleLength(control->Left() + control->Width(), num, den);
        const int bottom = ScaleLength(control->Top() + control->Height(), num, den);
        control->SetBounds(left, top, right - left, bottom - top);
        if (!control->ParentFont())
            control->Font().SetHeight(ScaleLength(control->Font().Height(), num, den));
        if (auto* container = dynamic_cast<TWinControl*>(control))
            ScaleChildren(*container, num, den);
    }
}
} // namespace

void ScaleControls(TWinControl& window, int num, int den) {
    if (num == den)
        return;
    window.Font().SetHeight(ScaleLength(window.Font().Height(), num, den));
    ScaleChildren(window, num, den);
}

TPoint CenteredOrigin(TSize window, TSize panel) {
    return {(window.cx - panel.cx) / 2, (window.cy - panel.cy) / 2};
}

} // namespace orvalis
