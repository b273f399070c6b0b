#include "platform/canvas.h"

namespace orvalis {

TCanvas::~TCanvas() = default;

void TCanvas::DrawFocusRect(const TRect& rect) {
    const TPen pen = FPen;
    const TBrush brush = FBrush;
    FPen = TPen(clBlack, 1, TPenStyle::psDot);
    FBrush.SetStyle(TBrushStyle::bsClear);
    Rectangle(rect);
    FPen = pen;
    FBrush = brush;
}

void TCanvas::MoveTo(int x, int y) {
    FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    DrawLine(FPenPos, {x, y});
    FPenPos = {x, y};
}

TPaletteScope::TPaletteScope(TCanvas& canvas, const TPalette* palette) : FCanvas(canvas) {
    if (palette == nullptr)
        return;
    FPrevious = canvas.SelectPalette(palette);
    FSelected = true;
    canvas.RealizePalette();
}

TPaletteScope::~TPaletteScope() {
    if (FSelected)
        FCanvas.SelectPalette(FPrevious);
}

} // namespace orvalis
