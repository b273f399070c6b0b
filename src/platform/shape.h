#pragma once

#include "platform/brush.h"
#include "platform/control.h"
#include "platform/pen.h"

namespace orvalis {

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A figure drawn with its own pen and brush.
class TShape : public TGraphicControl {
public:
    explicit TShape(TWinControl* parent = nullptr);

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType value) { SetProperty(FShape, value); }
    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    void Paint(TCanvas& canvas) override;

private:
    TShapeType FShape = TShapeType::stRectangle;
    TPen FPen;
    TBrush FBrush;
};

} // namespace orvalis
