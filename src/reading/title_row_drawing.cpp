#include "reading/title_row_drawing.h"
#include "controls/bk_control.h"
#include "controls/rounding.h"
#include "controls/shared_palette.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "reading/title_lines.h"

namespace orvalis {

namespace {
// Whether the window that holds the control wants a palette realised.
bool WindowHasPalette(const TControl& control) {
    const TControl* window = &control;
    while (window->Parent())
        window = window->Parent();
    return window->GetPalette() != nullptr;
}

void PaintRowBackground(TCanvas& canvas, const GCustomTextControl& list, const TBkControl& background,
                        const TRect& row) {
    const TBitmap* bitmap = background.Background().Image().Bitmap();
    if (!bitmap || bitmap->Empty()) {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(list.Color());
        canvas.FillRect(row);
        return;
    }
    // The same rectangle in the background control's coordinates, by way of the screen.
    const TPoint at = background.ScreenToClient(list.ClientToScreen({row.Left, row.Top}));
    const TRect source = Bounds(at.X, at.Y, row.Width(), row.Height());
    const TPaletteScope palette(canvas, WindowHasPalette(list) ? SharedPalette() : nullptr);
    canvas.CopyRect(row, *bitmap, source, TCopyMode::cmSrcCopy);
}
} // namespace

void DrawTitleRow(const GCustomTextControl& list, const TBkControl& background, int index, const TRect& rect,
                  TOwnerDrawState state) {
    TCanvas* canvas = list.Canvas();
    if (!canvas)
        return;
    const int count = list.Items().Count();
    // The last row (and a row offered below the lines) also repaints everything under it, so that no
    // stale rows remain after the list shrinks.
    TRect row = rect;
    if (index >= count - 1)
        row.Bottom += list.Height();
    PaintRowBackground(*canvas, list, background, row);

    if (index < 0 || index >= count)
        return;
    canvas->Brush().SetStyle(TBrushStyle::bsClear);
    canvas->Font() = list.Font();
    if (state.Has(TOwnerDrawFlag::odSelected))
        canvas->Font().SetSize(canvas->Font().Size() + 1);
    else if (state.Has(TOwnerDrawFlag::odFocused))
        canvas->Font().SetStyle(canvas->Font().Style().With(TFontStyle::fsUnderline));
    const std::string_view title = TitleOfLine(list.Items()[index]);
    const int y = rect.Top + (rect.Height() - canvas->TextHeight(title)) / 2;
    const TRect clip{rect.Left, rect.Top, rect.Right - RoundHalfEven(1.5 * list.ScrollWidth()), rect.Bottom};
    canvas->TextRect(clip, rect.Left + 5, y, title);
}

void SetUpTitleRows(GCustomTextControl& list) {
    list.OnGetItemText = [&list](int index) { return std::string(TitleOfLine(list.Items()[index])); };
    // What lies under the list need not be painted where the rows go.
    list.SetOpaque(true);
}

} // namespace orvalis
