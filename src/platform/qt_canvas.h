#pragma once

#include "platform/canvas.h"

#include <memory>
#include <span>
#include <vector>

class QImage;
class QPainter;
class QPaintDevice;

namespace orvalis {

// A canvas that draws with QPainter: on an image (the painter opens on the first drawing call and closes
// with Release, so the image can be read in between), or through a painter someone else holds (a widget's
// paint event, a printer page). Words drawn one after another in one plain font and colour are gathered
// and drawn together at the next other call, at Release or at the end of the canvas; a caller that also
// draws on its own painter calls Flush first.
class QtCanvas : public TCanvas {
public:
    explicit QtCanvas(QImage* target);
    explicit QtCanvas(QPainter* painter);
    ~QtCanvas() override;

    // Ends drawing on an image target; the next drawing call starts again. For an outside painter it only
    // draws the gathered words.
    void Release();
    // Draws the gathered words.
    void Flush();

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

    TStretchMode StretchMode() const { return FStretchMode; }

protected:
    void DrawLine(TPoint from, TPoint to) override;

private:
    // The painter, with the gathered words drawn first.
    QPainter& Painter();
    QPainter& OpenPainter();
    void DrawTextNow(QPainter& p, int x, int y, std::string_view text);
    void DrawImage(const TRect& dest, const QImage& image);
    // The realised palette where the screen shows only its colours, so pictures are drawn in them; else none.
    const TPalette* ScreenPalette() const;
    void FrameWithPen(const TRect& r);

    // The Qt font and its metrics for the canvas font, made again only when the font or device changes.
    struct TQtFont;
    const TQtFont& CurrentFont(QPaintDevice* device);
    // The fonts used lately, the current one first: texts switch between a few fonts all the time.
    std::vector<std::unique_ptr<TQtFont>> FQtFonts;
    struct TPendingRun;
    struct TTextBatch;
    std::unique_ptr<TTextBatch> FBatch;
    void DrawRun(QPainter& p, TPendingRun& run);
    // Draws the runs, on a 16-bit target through a 32-bit layer (see DrawOnLayer in the source).
    void DrawRuns(QPainter& p, std::span<TPendingRun> runs);

    QImage* FTarget = nullptr;
    QPainter* FPainter = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    std::unique_ptr<TRect> FClip;
    const TPalette* FSelectedPalette = nullptr;
    const TPalette* FRealizedPalette = nullptr;
    TStretchMode FStretchMode = TStretchMode::smBlackOnWhite;
};

} // namespace orvalis
