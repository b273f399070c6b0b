// The selection of GCustomParserControl: dragging, word and whole-text selection, its painting behind the
// glyphs and the copy to the clipboard.
#include "controls/parser_control.h"

#include "content/markup_tags.h"
#include "platform/canvas.h"
#include "platform/measure_canvas.h"
#include "platform/palette.h"
#include "platform/scroll_box.h"
#include "platform/services.h"

#include <algorithm>

namespace orvalis {

void GCustomParserControl::SetSelection(TTextRange range) {
    range = TTextRange::Between(range.Start, range.End);
    SetSelectionEnds(range.Start, range.End);
}

void GCustomParserControl::SetSelectionEnds(size_t anchor, size_t caret) {
    const size_t length = FText ? FText->size() : 0;
    anchor = std::min(anchor, length);
    caret = std::min(caret, length);
    if (anchor == FSelectionAnchor && caret == FSelectionCaret)
        return;
    const bool wasEmpty = Selection().Empty();
    FSelectionAnchor = anchor;
    FSelectionCaret = caret;
    if (!wasEmpty || !Selection().Empty())
        Invalidate();
}

void GCustomParserControl::SelectAll() {
    SetSelection({0, FText ? FText->size() : 0});
}

std::string GCustomParserControl::SelectedText() const {
    const TTextRange range = Selection();
    return FText && !range.Empty() ? VisibleTopicText(*FText, range.Start, range.End) : std::string();
}

void GCustomParserControl::CopySelection() {
    if (const std::string text = SelectedText(); !text.empty())
        Clipboard().SetText(text);
}

TMarkupSelection GCustomParserControl::SelectionGeometry(std::vector<TMarkupWord>& words, TCanvas& canvas) {
    if (FText && !FLayout.Cached(*FText, Context())) {
        // A measuring pass leaves the control's size and links alone when given its own results to fill.
        int xMax = FXMax;
        int yMax = 0;
        TPointerChain links{"SelectionLinks"};
        const std::unique_ptr<TCanvas> measure = CreateMeasureCanvas();
        measure->Font() = Font();
        FLayout.Run(*FText, *measure, TMarkupPass::Measure, Context(), xMax, yMax, links);
        ClearHyperLinks(links);
    }
    words = FLayout.Words();
    return TMarkupSelection(words, FText ? std::string_view(*FText) : std::string_view(), canvas);
}

size_t GCustomParserControl::PositionAt(int x, int y) {
    std::vector<TMarkupWord> words;
    const std::unique_ptr<TCanvas> canvas = CreateMeasureCanvas();
    return SelectionGeometry(words, *canvas).PositionAt({x, y});
}

void GCustomParserControl::PaintSelection(TCanvas& canvas) {
    const TTextRange range = Selection();
    if (range.Empty() || !FText)
        return;
    std::vector<TMarkupWord> words;
    const TMarkupSelection geometry = SelectionGeometry(words, canvas);
    const std::optional<TRect>& visible = canvas.PaintRect();
    const std::vector<TRect> rects = geometry.Rects(range, visible ? &*visible : nullptr);
    // On screens with a palette the colour is the nearest one it holds, as the pictures' colours are.
    const TPalette* palette = Context().Palette;
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(palette ? palette->NearestColor(SelectionColor) : SelectionColor);
    for (const TRect& rect : rects)
        canvas.FillRect(rect);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
}

void GCustomParserControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && FText) {
        const size_t position = PositionAt(x, y);
        // Shift extends the selection from its anchor, as in other texts.
        SetSelectionEnds(HasShift(shift, TShiftFlag::ssShift) ? FSelectionAnchor : position, position);
        FPressPoint = {x, y};
        FSelecting = true;
    }
    GGraphicControl::MouseDown(button, shift, x, y);
}

void GCustomParserControl::DragSelection(TShiftState shift, int x, int y) {
    if (!FSelecting || !HasShift(shift, TShiftFlag::ssLeft))
        return;
    SetSelectionEnds(FSelectionAnchor, PositionAt(x, y));
    // Dragging past the visible part scrolls the text along.
    if (auto* box = dynamic_cast<TScrollBox*>(Parent())) {
        const int cx = std::clamp(x, 0, std::max(0, Width() - 1));
        const int cy = std::clamp(y, 0, std::max(0, Height() - 1));
        box->ScrollInView(TRect{cx, cy, cx + 1, cy + 1});
    }
}

bool GCustomParserControl::EndSelectionDrag(TMouseButton button) {
    if (button != TMouseButton::mbLeft || !FSelecting)
        return false;
    FSelecting = false;
    return !Selection().Empty();
}

void GCustomParserControl::DblClick() {
    if (FText) {
        // The platform reports the second press just before the double-click.
        const TPoint at = FPressPoint;
        std::vector<TMarkupWord> words;
        const std::unique_ptr<TCanvas> canvas = CreateMeasureCanvas();
        SetSelection(SelectionGeometry(words, *canvas).WordAt(at));
        // Moving on with the button held keeps the word.
        FSelecting = false;
    }
    GGraphicControl::DblClick();
}

bool GCustomParserControl::SelectionKey(int key, TShiftState shift) {
    if (shift != uint8_t(TShiftFlag::ssCtrl) || !FText)
        return false;
    if (key == 'A') {
        SelectAll();
        return true;
    }
    if (key == 'C' && !Selection().Empty()) {
        CopySelection();
        return true;
    }
    return false;
}

} // namespace orvalis
