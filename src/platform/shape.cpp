#include "platform/shape.h"
#include "platform/canvas.h"

#include <algorithm>

namespace orvalis {

TShape::TShape(TWinControl* parent) : TGraphicControl(parent) {
    SetBounds(0, 0, 65, 65);
    FPen.OnChange = [this](TObject*) { Invalidate(); };
    FBrush.OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::Paint(TCanvas& canvas) {
    canvas.Pen() = FPen;
    canvas.Brush() = FBrush;
    TRect r = ClientRect();
    const bool square = FShape == TShapeType::stSquare || FShape == TShapeType::stRoundSquare ||
                        FShape == TShapeType::stCircle;
    if (square) {
        // Squares and circles are centred in the control.
        const int side = std::min(Width(), Height());
        r = Bounds((Width() - side) / 2, (Height() - side) / 2, side, side);
    }
    const int corner = std::min(r.Width(), r.Height()) / 4;
    switch (FShape) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare:
        canvas.Rectangle(r);
        break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare:
        canvas.RoundRect(r, corner, corner);
        break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle:
        canvas.Ellipse(r);
        break;
    }
}

} // namespace orvalis
