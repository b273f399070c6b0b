#pragma once

#include "platform/brush.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/pen.h"

#include <optional>
#include <span>
#include <string_view>

namespace orvalis {

class TBitmap;
class TGraphic;
class TPalette;

// How a block transfer combines source (S), destination (D) and the canvas brush as pattern (P).
enum class TCopyMode {
    cmBlackness,   // 0
    cmDstInvert,   // ~D
    cmMergeCopy,   // S & P
    cmMergePaint,  // ~S | D
    cmNotSrcCopy,  // ~S
    cmNotSrcErase, // ~(S | D)
    cmPatCopy,     // P
    cmPatInvert,   // P ^ D
    cmPatPaint,    // P | ~S | D
    cmSrcAnd,      // S & D
    cmSrcCopy,     // S
    cmSrcErase,    // S & ~D
    cmSrcInvert,   // S ^ D, the exclusive-or copy
    cmSrcPaint,    // S | D
    cmWhiteness,   // 1
};

// How a stretched block transfer treats eliminated lines. Every canvas stretches by nearest pixel;
// the mode is kept so that callers can state it and tests can see it.
enum class TStretchMode { smBlackOnWhite, smWhiteOnBlack, smColorOnColor, smHalftone };

// A surface to draw on, with a current pen, brush and font, in the manner of a device context.
// Rectangles include left and top and exclude right and bottom; Rectangle, Ellipse, RoundRect and Pie fill
// the figure with the brush (unless clear) and outline it with the pen (unless clear) inside that box.
// Text is Windows-1252; TextOut paints the text cell with the brush colour first unless the brush is clear.
// LineTo draws from the pen position to the point, excluding the point itself, and moves the pen there.
class TCanvas {
public:
    virtual ~TCanvas();

    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }
    const TPen& Pen() const { return FPen; }
    const TBrush& Brush() const { return FBrush; }
    const TFont& Font() const { return FFont; }

    TPoint PenPos() const { return FPenPos; }
    void MoveTo(int x, int y);

    // The part of the surface a paint has to renew, in the surface's coordinates, when it is less than the
    // whole; controls that can draw only part of themselves use it to skip what is not asked for.
    const std::optional<TRect>& PaintRect() const { return FPaintRect; }
    void SetPaintRect(const std::optional<TRect>& rect) { FPaintRect = rect; }
    void LineTo(int x, int y);
    // The dotted black frame around the control that has the keyboard focus, or around the focused part of
    // it; the pen and brush are left as they were.
    void DrawFocusRect(const TRect& rect);

    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // TextOut clipped to the rectangle.
    virtual void TextRect(const TRect& clip, int x, int y, std::string_view text) = 0;
    virtual TSize TextExtent(std::string_view text) = 0;
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }

    virtual void FillRect(const TRect& rect) = 0;
    virtual void Rectangle(const TRect& rect) = 0;
    void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(TRect{x1, y1, x2, y2}); }
    // The corners are quarters of an ellipse of cornerWidth x cornerHeight.
    virtual void RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) = 0;
    virtual void Ellipse(const TRect& rect) = 0;
    // The slice of the ellipse in the box, counter-clockwise from the radial through start to the radial
    // through end.
    virtual void Pie(const TRect& rect, TPoint start, TPoint end) = 0;
    virtual void Polyline(std::span<const TPoint> points) = 0;

    // A picture at its natural size, top-left corner at (x, y).
    virtual void Draw(int x, int y, const TGraphic& graphic) = 0;
    // A picture scaled into the rectangle.
    virtual void StretchDraw(const TRect& rect, const TGraphic& graphic) = 0;
    // A block transfer of the source rectangle of the bitmap to the destination rectangle, stretched when
    // the sizes differ.
    virtual void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                          TCopyMode mode) = 0;
    virtual void SetStretchMode(TStretchMode mode) = 0;

    // Drawing is limited to the rectangle until ResetClip.
    virtual void SetClipRect(const TRect& rect) = 0;
    virtual void ResetClip() = 0;

    // Selects a palette (or none) for the pictures drawn afterwards and answers the previous one; the
    // canvas does not own it.
    virtual const TPalette* SelectPalette(const TPalette* palette) = 0;
    // Maps the selected palette onto the device; on devices of more than 8 bits per pixel it changes nothing.
    virtual void RealizePalette() = 0;

protected:
    TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    virtual void DrawLine(TPoint from, TPoint to) = 0;

private:
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    TPoint FPenPos;
    std::optional<TRect> FPaintRect;
};

// Selects and realises a palette in a canvas for as long as it lives, then selects the previous palette
// again, also when the drawing in between throws. Without a palette it changes nothing.
class TPaletteScope {
public:
    TPaletteScope(TCanvas& canvas, const TPalette* palette);
    ~TPaletteScope();
    TPaletteScope(const TPaletteScope&) = delete;
    TPaletteScope& operator=(const TPaletteScope&) = delete;

private:
    TCanvas& FCanvas;
    const TPalette* FPrevious = nullptr;
    bool FSelected = false;
};

} // namespace orvalis
