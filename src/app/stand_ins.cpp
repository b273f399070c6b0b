#include "app/stand_ins.h"
#include "controls/shared_palette.h"
#include "platform/canvas.h"

namespace orvalis {

TBaseBtnStandIn::TBaseBtnStandIn(TWinControl* parent) : GGraphicControl(parent) {
    auto invalidate = [this](TObject*) { Invalidate(); };
    FBrush.OnChange = invalidate;
    FPen.OnChange = invalidate;
}

void TBaseBtnStandIn::SetCaption(const std::string& value) {
    if (FCaption == value)
        return;
    FCaption = value;
    Invalidate();
}

void TBaseBtnStandIn::SetFace(bool value) {
    if (FFace == value)
        return;
    FFace = value;
    Invalidate();
}

void TBaseBtnStandIn::Paint(TCanvas& canvas) {
    if (FFace) {
        canvas.Brush() = FBrush;
        canvas.Pen() = FPen;
        canvas.RoundRect(ClientRect(), 6, 6);
    }
    if (FCaption.empty())
        return;
    canvas.Font() = Font();
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const TSize size = canvas.TextExtent(FCaption);
    canvas.TextRect(ClientRect(), (Width() - size.cx) / 2, (Height() - size.cy) / 2, FCaption);
}

GParserControlStandIn::GParserControlStandIn(TWinControl* parent) : GGraphicControl(parent) {
    auto invalidate = [this](TObject*) { Invalidate(); };
    FBackground.OnChange = invalidate;
    FBackground.Image().OnChange = invalidate;
    FBackground.Pen().OnChange = invalidate;
    FBackground.Brush().OnChange = invalidate;
}

void GParserControlStandIn::SetdX(int value) {
    if (FDX == value)
        return;
    FDX = value;
    Invalidate();
}

void GParserControlStandIn::SetdY(int value) {
    if (FDY == value)
        return;
    FDY = value;
    Invalidate();
}

const TPalette* GParserControlStandIn::GetPalette() const {
    return SharedPalette();
}

void GParserControlStandIn::Paint(TCanvas& canvas) {
    PaintBackground(canvas, Width(), Height(), FBackground, FDX, FDY, GetPalette());
}

} // namespace orvalis
