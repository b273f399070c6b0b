#include "controls/base_btn.h"
#include "controls/bitmap_drawing.h"
#include "controls/hand_cursors.h"
#include "controls/rounding.h"
#include "controls/shared_palette.h"
#include "platform/canvas.h"

namespace orvalis {

TBaseBtn::TBaseBtn(TWinControl* parent) : GGraphicControl(parent) {
    SetBounds(Left(), Top(), 120, 40);
    RegisterHandCursors();
    SetCursor(crHandCursor);
    SetTabStop(true);
    FBrush.OnChange = [this](TObject*) { Invalidate(); };
    FPen.OnChange = [this](TObject*) { Invalidate(); };
}

void TBaseBtn::SetGlyphCentered(bool value) {
    if (SetProperty(FGlyphCentered, value) && value)
        FGlyphStretched = false;
}

void TBaseBtn::SetGlyphStretched(bool value) {
    if (SetProperty(FGlyphStretched, value) && value)
        FGlyphCentered = false;
}

const TPalette* TBaseBtn::GetPalette() const {
    return SharedPalette();
}

TRect TBaseBtn::FractionRect(double x1, double y1, double x2, double y2) const {
    const double w = Width(), h = Height();
    return {RoundHalfEven(x1 * w), RoundHalfEven(y1 * h), RoundHalfEven(x2 * w), RoundHalfEven(y2 * h)};
}

void TBaseBtn::DrawGlyph(TCanvas& canvas, const TPicture& glyph, double dx, double dy) const {
    const TGraphic* graphic = glyph.Graphic();
    if (!graphic)
        return;
    const int w = Width(), h = Height();
    if (FGlyphStretched) {
        const TRect r = FractionRect(FGlyphXOffset + dx, FGlyphYOffset + dy, FGlyphXOffset + FGlyphWidth + dx,
                                     FGlyphYOffset + FGlyphHeight + dy);
        StretchBitmapInto(&canvas, r.Left, r.Top, r.Width(), r.Height(), graphic);
    } else if (FGlyphCentered) {
        DrawBitmapAt(&canvas, RoundHalfEven((w - graphic->Width()) / 2 + dx * w),
                     RoundHalfEven((h - graphic->Height()) / 2 + dy * h), graphic);
    } else {
        DrawBitmapAt(&canvas, RoundHalfEven((FGlyphXOffset + dx) * w),
                     RoundHalfEven((FGlyphYOffset + dy) * h), graphic);
    }
}

void TBaseBtn::Paint(TCanvas& canvas) {
    if (!Visible() || Loading())
        return;
    const TPaletteScope palette(canvas, SharedPalette());
    canvas.Brush() = FBrush;
    canvas.Pen() = FPen;
    canvas.Font() = Font();

    const int w = Width(), h = Height();
    const bool down = Down();
    const TRect face =
        FractionRect(FFaceXOffset, FFaceYOffset, FFaceXOffset + FFaceWidth, FFaceYOffset + FFaceHeight);
    const TRect shadow =
        FractionRect(FFaceXOffset + FShadowXOffset, FFaceYOffset + FShadowYOffset,
                     FFaceXOffset + FFaceWidth + FShadowXOffset, FFaceYOffset + FFaceHeight + FShadowYOffset);
    // The frames drawn instead of a face: grey and white lines along the edges, one pixel wide.
    auto frame = [&](TColor topLeft, TColor bottomRight) {
        canvas.Pen() = TPen(topLeft);
        canvas.MoveTo(w - 1, 0);
        canvas.LineTo(0, 0);
        canvas.LineTo(0, h - 1);
        canvas.Pen() = TPen(bottomRight);
        canvas.LineTo(w - 1, h - 1);
        canvas.LineTo(w - 1, 0);
    };

    if (!down && FFaceVisible) {
        canvas.Brush().SetColor(FShadowColor);
        canvas.Pen().SetColor(FShadowColor);
        canvas.RoundRect(shadow, FCaptionXRound, FCaptionYRound);
        canvas.Brush().SetColor(FBrush.Color());
        canvas.Pen().SetColor(FPen.Color());
    }
    if (Enabled() && down) {
        // The face sinks onto its shadow, and the glyph moves with it.
        if (FFaceVisible)
            canvas.RoundRect(shadow, FCaptionXRound, FCaptionYRound);
        DrawGlyph(canvas, FGlyphUpIsGlyphDown ? FGlyphUp : FGlyphDown, FShadowXOffset, FShadowYOffset);
        if (!FFaceVisible)
            frame(clGray, clWhite);
    } else if (Enabled()) {
        if (FFaceVisible)
            canvas.RoundRect(face, FCaptionXRound, FCaptionYRound);
        DrawGlyph(canvas, FGlyphUp, 0, 0);
        if (!FFaceVisible && FButtonIsHot)
            frame(clWhite, clGray);
    } else {
        // Disabled: never sunk, whatever the down state.
        if (FFaceVisible)
            canvas.RoundRect(face, FCaptionXRound, FCaptionYRound);
        DrawGlyph(canvas, FGlyphDisabled, 0, 0);
    }

    if (!FCaption.empty()) {
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        const int x =
            down ? RoundHalfEven((FCaptionXOffset + FShadowXOffset) * w) : RoundHalfEven(FCaptionXOffset * w);
        const int y =
            down ? RoundHalfEven((FCaptionYOffset + FShadowYOffset) * h) : RoundHalfEven(FCaptionYOffset * h);
        if (FCaptionPenVisible) {
            canvas.Font().SetColor(FCaptionPenColor);
            canvas.TextOut(x - 1, y - 1, FCaption);
        }
        canvas.Font().SetColor(Enabled() ? Font().Color() : clGrayText);
        canvas.TextOut(x, y, FCaption);
    }
}

void TBaseBtn::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    GGraphicControl::MouseDown(button, shift, x, y);
    FPressed = true;
    Invalidate();
}

void TBaseBtn::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    GGraphicControl::MouseUp(button, shift, x, y);
    FPressed = false;
    Invalidate();
}

void TBaseBtn::AccessibleAction(int item) {
    if (item < 0 && Enabled())
        Click();
}

void TBaseBtn::KeyDown(int& key, TShiftState shift) {
    GGraphicControl::KeyDown(key, shift);
    if ((key == vkReturn || key == vkSpace) && shift == 0 && Enabled()) {
        key = 0;
        Click();
    }
}

} // namespace orvalis
