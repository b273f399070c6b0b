#pragma once

#include "platform/canvas.h"

#include <string>
#include <vector>

namespace orvalis {

// One drawing call as the recording canvas saw it: its text form, such as "Rectangle(0,0,100,100)" or
// "Draw(10,-5,bitmap 30x20)", the graphic it drew (if any), and the pen, brush and font in force.
struct TCanvasCall {
    std::string Text;
    const TGraphic* Graphic = nullptr;
    TPen Pen;
    TBrush Brush;
    TFont Font;
};

// A canvas for tests: it draws nothing, records every call with its coordinates, and measures text with
// fixed metrics (every character CharWidth wide, every text CharHeight high), so that layout and painting
// can be checked exactly without fonts.
class RecordingCanvas : public TCanvas {
public:
    explicit RecordingCanvas(int charWidth = 8, int charHeight = 16);

    const std::vector<TCanvasCall>& Calls() const { return FCalls; }
    // The text forms of the calls, in order.
    std::vector<std::string> CallTexts() const;
    // The text forms of the calls whose name (the part before '(') is the given one.
    std::vector<std::string> CallsNamed(std::string_view name) const;
    void Clear() { FCalls.clear(); }
    int MeasureCount() const { return FMeasureCount; }
    const TPalette* SelectedPalette() const { return FPalette; }
    TStretchMode StretchMode() const { return FStretchMode; }

    using TCanvas::Rectangle;
    void TextOut(int x, int y, std::string_view text) override;
    void TextRect(const TRect& clip, int x, int y, std::string_view text) override;
    TSize TextExtent(std::string_view text) override;
    void FillRect(const TRect& rect) override;
    void Rectangle(const TRect& rect) override;
    void RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) override;
    void Ellipse(const TRect& rect) override;
    void Pie(const TRect& rect, TPoint start, TPoint end) override;
    void Polyline(std::span<const TPoint> points) override;
    void Draw(int x, int y, const TGraphic& graphic) override;
    void StretchDraw(const TRect& rect, const TGraphic& graphic) override;
    void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect, TCopyMode mode) override;
    void SetStretchMode(TStretchMode mode) override;
    void SetClipRect(const TRect& rect) override;
    void ResetClip() override;
    const TPalette* SelectPalette(const TPalette* palette) override;
    void RealizePalette() override;

    // "bitmap WxH" or "icon WxH", as the calls name a graphic.
    static std::string Describe(const TGraphic& graphic);
    static std::string Describe(const TRect& rect);
    static const char* Name(TCopyMode mode);

protected:
    void DrawLine(TPoint from, TPoint to) override;

private:
    void Record(std::string text, const TGraphic* graphic = nullptr);

    int FCharWidth;
    int FCharHeight;
    int FMeasureCount = 0;
    std::vector<TCanvasCall> FCalls;
    const TPalette* FPalette = nullptr;
    TStretchMode FStretchMode = TStretchMode::smBlackOnWhite;
};

} // namespace orvalis
