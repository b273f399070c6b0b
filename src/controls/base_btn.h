#pragma once

#include "controls/graphic_control.h"
#include "platform/brush.h"
#include "platform/pen.h"
#include "platform/picture.h"

#include <string>

namespace orvalis {

// The program's push button: a rounded face with a drop shadow, a glyph for the normal, pressed and
// disabled states, and a caption with an optional embossing copy. Its geometry is given in fractions of
// its own width (X values) and height (Y values), so one set of values serves every window size.
// Creating a button registers the program's hand cursors; a button shows the pointing hand. Tab stops at
// every button the reader can see and use.
class TBaseBtn : public GGraphicControl {
public:
    explicit TBaseBtn(TWinControl* parent = nullptr);

    TBrush& Brush() { return FBrush; }
    void SetBrush(const TBrush& value) { FBrush.Assign(value); }
    bool ButtonIsDown() const { return FButtonIsDown; }
    void SetButtonIsDown(bool value) { SetProperty(FButtonIsDown, value); }
    bool ButtonIsHot() const { return FButtonIsHot; }
    void SetButtonIsHot(bool value) { SetProperty(FButtonIsHot, value); }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { SetProperty(FCaption, value); }
    TColor CaptionPenColor() const { return FCaptionPenColor; }
    void SetCaptionPenColor(TColor value) { SetProperty(FCaptionPenColor, value); }
    bool CaptionPenVisible() const { return FCaptionPenVisible; }
    void SetCaptionPenVisible(bool value) { SetProperty(FCaptionPenVisible, value); }
    double CaptionXOffset() const { return FCaptionXOffset; }
    void SetCaptionXOffset(double value) { SetProperty(FCaptionXOffset, value); }
    double CaptionYOffset() const { return FCaptionYOffset; }
    void SetCaptionYOffset(double value) { SetProperty(FCaptionYOffset, value); }
    // The corner ellipse of face and shadow, in pixels.
    int CaptionXRound() const { return FCaptionXRound; }
    void SetCaptionXRound(int value) { SetProperty(FCaptionXRound, value); }
    int CaptionYRound() const { return FCaptionYRound; }
    void SetCaptionYRound(int value) { SetProperty(FCaptionYRound, value); }
    double FaceHeight() const { return FFaceHeight; }
    void SetFaceHeight(double value) { SetProperty(FFaceHeight, value); }
    // Without a face the button draws 3-D frames instead of face and shadow.
    bool FaceVisible() const { return FFaceVisible; }
    void SetFaceVisible(bool value) { SetProperty(FFaceVisible, value); }
    double FaceWidth() const { return FFaceWidth; }
    void SetFaceWidth(double value) { SetProperty(FFaceWidth, value); }
    double FaceXOffset() const { return FFaceXOffset; }
    void SetFaceXOffset(double value) { SetProperty(FFaceXOffset, value); }
    double FaceYOffset() const { return FFaceYOffset; }
    void SetFaceYOffset(double value) { SetProperty(FFaceYOffset, value); }
    // Centred and stretched exclude each other: setting one clears the other.
    bool GlyphCentered() const { return FGlyphCentered; }
    void SetGlyphCentered(bool value);
    bool GlyphStretched() const { return FGlyphStretched; }
    void SetGlyphStretched(bool value);
    // Writing a glyph copies it without repainting.
    TPicture& GlyphDisabled() { return FGlyphDisabled; }
    void SetGlyphDisabled(const TPicture& value) { FGlyphDisabled.Assign(value); }
    TPicture& GlyphDown() { return FGlyphDown; }
    void SetGlyphDown(const TPicture& value) { FGlyphDown.Assign(value); }
    TPicture& GlyphUp() { return FGlyphUp; }
    void SetGlyphUp(const TPicture& value) { FGlyphUp.Assign(value); }
    double GlyphHeight() const { return FGlyphHeight; }
    void SetGlyphHeight(double value) { SetProperty(FGlyphHeight, value); }
    bool GlyphUpIsGlyphDown() const { return FGlyphUpIsGlyphDown; }
    void SetGlyphUpIsGlyphDown(bool value) { SetProperty(FGlyphUpIsGlyphDown, value); }
    double GlyphWidth() const { return FGlyphWidth; }
    void SetGlyphWidth(double value) { SetProperty(FGlyphWidth, value); }
    double GlyphXOffset() const { return FGlyphXOffset; }
    void SetGlyphXOffset(double value) { SetProperty(FGlyphXOffset, value); }
    double GlyphYOffset() const { return FGlyphYOffset; }
    void SetGlyphYOffset(double value) { SetProperty(FGlyphYOffset, value); }
    TPen& Pen() { return FPen; }
    void SetPen(const TPen& value) { FPen.Assign(value); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value) { SetProperty(FShadowColor, value); }
    // The shadow's displacement, and that of face, glyph and caption while the button is down.
    double ShadowXOffset() const { return FShadowXOffset; }
    void SetShadowXOffset(double value) { SetProperty(FShadowXOffset, value); }
    double ShadowYOffset() const { return FShadowYOffset; }
    void SetShadowYOffset(double value) { SetProperty(FShadowYOffset, value); }

    // Pressed by the mouse or held down by ButtonIsDown.
    bool Down() const { return FPressed || FButtonIsDown; }

    const TPalette* GetPalette() const override;
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Enter or Space on the focused button acts as a click.
    void KeyDown(int& key, TShiftState shift) override;
    // A push button named by its caption, or by its hint where it has none; pressing it clicks it.
    TAccessibleRole AccessibleRole() const override { return TAccessibleRole::arPushButton; }
    std::string AccessibleName() const override { return FCaption.empty() ? Hint() : FCaption; }
    void AccessibleAction(int item) override;

private:
    // The rectangle of fraction offsets x1, y1 to x2, y2 in pixels.
    TRect FractionRect(double x1, double y1, double x2, double y2) const;
    // Places a glyph as the normal one is placed, moved by (dx, dy) in fractions.
    void DrawGlyph(TCanvas& canvas, const TPicture& glyph, double dx, double dy) const;

    TBrush FBrush;
    bool FPressed = false;
    bool FButtonIsDown = false;
    bool FButtonIsHot = false;
    std::string FCaption;
    TColor FCaptionPenColor = clBlack;
    bool FCaptionPenVisible = false;
    double FCaptionXOffset = 0;
    double FCaptionYOffset = 0;
    int FCaptionXRound = 0;
    int FCaptionYRound = 0;
    double FFaceHeight = 0.5;
    bool FFaceVisible = true;
    double FFaceWidth = 0.8;
    double FFaceXOffset = 0;
    double FFaceYOffset = 0;
    bool FGlyphCentered = false;
    TPicture FGlyphDisabled;
    TPicture FGlyphDown;
    double FGlyphHeight = 0.8;
    bool FGlyphStretched = false;
    TPicture FGlyphUp;
    bool FGlyphUpIsGlyphDown = false;
    double FGlyphWidth = 0.2;
    double FGlyphXOffset = 0;
    double FGlyphYOffset = 0;
    TPen FPen;
    TColor FShadowColor = clGray;
    double FShadowXOffset = 0;
    double FShadowYOffset = 0;
};

} // namespace orvalis
