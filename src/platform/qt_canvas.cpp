#include "platform/qt_canvas.h"
#include "platform/bitmap.h"
#include "platform/palette.h"
#include "platform/qt_image.h"
#include "platform/qt_text.h"
#include "platform/qt_word_cache.h"
#include "platform/screen.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

namespace orvalis {

namespace {
TRect Normalized(const TRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

Qt::PenStyle ToQtPenStyle(TPenStyle style) {
    switch (style) {
    case TPenStyle::psDash:
        return Qt::DashLine;
    case TPenStyle::psDot:
        return Qt::DotLine;
    case TPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPenStyle::psClear:
        return Qt::NoPen;
    case TPenStyle::psSolid:
        break;
    }
    return Qt::SolidLine;
}

// A rectangle shrunk so that QPainter's outline, which lies right of and below the mathematical edge,
// stays inside the box [Left, Right) x [Top, Bottom).
QRect OutlineBox(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

// The parametric angle, in sixteenths of a degree, at which the radial from the centre of the box through
// the point meets the ellipse.
int EllipseAngle(const TRect& r, TPoint p) {
    const double a = r.Width() / 2.0, b = r.Height() / 2.0;
    const double cx = r.Left + a, cy = r.Top + b;
    const double t = std::atan2((cy - p.Y) / std::max(b, 0.5), (p.X - cx) / std::max(a, 0.5));
    return int(std::lround(t * 180.0 / M_PI * 16.0));
}

// Device pixels per unit of the painter's coordinates: above 1 on a scaled screen and on the bitmaps made
// for it. Qt scales the painter by it, so drawing happens in logical pixels at the device's resolution.
double DeviceRatio(const QPainter& p) {
    const QPaintDevice* device = p.device();
    return device ? device->devicePixelRatio() : 1.0;
}

// The device's whole surface in the painter's coordinates. A widget measures itself in logical pixels, an
// image or pixmap in device pixels; the painter's own scaling for the ratio is not part of its world.
QRect DeviceArea(const QPainter& p) {
    const QPaintDevice* device = p.device();
    if (!device)
        return {};
    QSize size(device->width(), device->height());
    if (device->devType() == QInternal::Image)
        size = LogicalSize(*static_cast<const QImage*>(device));
    else if (device->devType() == QInternal::Pixmap)
        size = (QSizeF(size) / device->devicePixelRatio()).toSize();
    bool invertible = false;
    const QTransform toPainter = p.worldTransform().inverted(&invertible);
    const QRect area(QPoint(0, 0), size);
    return invertible ? toPainter.mapRect(area) : area;
}

// Where the painter can draw: the device's surface within the clip.
QRect ShownArea(const QPainter& p) {
    QRect shown = DeviceArea(p);
    if (p.hasClipping())
        shown &= p.clipBoundingRect().toAlignedRect();
    return shown;
}

// An image in the palette's colours only, as an 8-bit image of it.
QImage InPalette(const QImage& image, const TPalette& palette) {
    return image.convertToFormat(QImage::Format_Indexed8, ToColorTable(palette), Qt::ThresholdDither);
}

// Qt's raster engine garbles glyphs drawn without anti-aliasing on a 16-bit (RGB565) surface, and writes
// further copies of them half a row away. Widgets paint on such a surface on a 16-bit screen.
bool GarblesCrispText(const QPainter& p) {
    const QPaintEngine* engine = p.paintEngine();
    const QPaintDevice* target = engine && engine->paintDevice() ? engine->paintDevice() : p.device();
    if (!target)
        return false;
    if (target->devType() == QInternal::Image)
        return static_cast<const QImage*>(target)->format() == QImage::Format_RGB16;
    return target->depth() == 16;
}

// Text for a surface that garbles it is drawn on a transparent 32-bit layer over the text's bounds (in
// the painter's coordinates), which is then laid over the surface. Crisp glyphs leave every layer pixel
// either untouched or in the pen's colour, so the result is the direct drawing's, in 16-bit colour.
template <class Draw> void DrawOnLayer(QPainter& p, QRect bounds, const Draw& draw) {
    bounds &= ShownArea(p);
    if (bounds.isEmpty())
        return;
    QImage layer =
        DeviceImage(bounds.width(), bounds.height(), QImage::Format_ARGB32_Premultiplied, DeviceRatio(p));
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.translate(-bounds.topLeft());
        lp.setPen(p.pen());
        lp.setFont(p.font());
        draw(lp);
    }
    p.drawImage(bounds.topLeft(), layer);
}
} // namespace

struct QtCanvas::TQtFont {
    TFont Font;
    QPaintDevice* Device = nullptr;
    QFont Qt;
    QFontMetrics Metrics{QFont()};
    TFontWords* Words = nullptr;
    // On a device finer than the logical pixels (a scaled screen), the glyphs of a word are placed by the
    // font's own advances instead of the ones hinted to whole logical pixels, which the finer pixels would
    // show as uneven gaps inside words. The words keep their hinted advance, so the layout is the one of an
    // unscaled screen.
    TFontWords* FineWords = nullptr;
};

// Words waiting to be drawn: one glyph run per font, all in one colour. Text is drawn in a single colour
// over what lies beneath, and such drawing gives the same pixels in any order, so runs of different fonts
// may wait side by side; another colour or any other drawing call draws them first.
struct QtCanvas::TPendingRun {
    TFontWords* Words = nullptr;
    // Underlined or struck-out words are gathered only while they follow each other on one line, as the
    // line under a run is drawn from its first glyph to its last.
    int Y = 0;
    // The baseline's distance from the cell's top: the hinted font's ascent, also for fine words.
    int Ascent = 0;
    int StartX = 0;
    int EndX = 0;
    QVector<quint32> Glyphs;
    QVector<QPointF> Positions;
};

struct QtCanvas::TTextBatch {
    TColor Color;
    std::vector<TPendingRun> Runs; // runs keep their room when drawn, to be filled again
    bool Pending = false;
};

const QtCanvas::TQtFont& QtCanvas::CurrentFont(QPaintDevice* device) {
    constexpr size_t MaxFonts = 16;
    auto same = [&](const std::unique_ptr<TQtFont>& f) {
        return f->Device == device && f->Font.SameValue(Font());
    };
    if (!FQtFonts.empty() && same(FQtFonts.front()))
        return *FQtFonts.front();
    auto found = std::find_if(FQtFonts.begin(), FQtFonts.end(), same);
    if (found == FQtFonts.end()) {
        auto f = std::make_unique<TQtFont>();
        f->Font = Font();
        f->Device = device;
        f->Qt = ToQFont(Font());
        f->Metrics = device ? QFontMetrics(f->Qt, device) : QFontMetrics(f->Qt);
        f->Words = &TFontWords::For(f->Qt, device);
        if (device && device->devicePixelRatio() != 1.0) {
            QFont fine = f->Qt;
            fine.setHintingPreference(QFont::PreferNoHinting);
            f->FineWords = &TFontWords::For(fine, device);
        }
        if (FQtFonts.size() == MaxFonts)
            FQtFonts.pop_back();
        FQtFonts.insert(FQtFonts.begin(), std::move(f));
    } else {
        std::rotate(FQtFonts.begin(), found, found + 1);
    }
    return *FQtFonts.front();
}

QtCanvas::QtCanvas(QImage* target) : FTarget(target) {}

QtCanvas::QtCanvas(QPainter* painter) : FPainter(painter) {}

QtCanvas::~QtCanvas() {
    Release();
}

void QtCanvas::Flush() {
    if (!FBatch || !FBatch->Pending)
        return;
    QPainter& p = OpenPainter();
    p.setPen(ToQColor(FBatch->Color));
    DrawRuns(p, FBatch->Runs);
    FBatch->Pending = false;
}

void QtCanvas::DrawRuns(QPainter& p, std::span<TPendingRun> runs) {
    if (!GarblesCrispText(p)) {
        for (TPendingRun& r : runs)
            DrawRun(p, r);
        return;
    }
    // The runs' bounds: their glyph cells, widened by a few pixels for italic overhangs, and the lines
    // under and through them.
    QRect bounds;
    for (const TPendingRun& r : runs) {
        if (r.Glyphs.isEmpty())
            continue;
        const QRawFont& raw = r.Words->RawFont();
        const int ascent = int(std::ceil(raw.ascent())), descent = int(std::ceil(raw.descent()));
        const int width = int(std::ceil(raw.maxCharWidth()));
        QRect box(r.StartX, r.Y, std::max(r.EndX - r.StartX, 0), r.Ascent + descent);
        for (const QPointF& position : r.Positions) {
            const int x = int(std::floor(position.x())), y = int(std::floor(position.y()));
            box |= QRect(x, y - ascent, width, ascent + descent + 1);
        }
        const int overhang = ascent / 4 + 2;
        bounds |= box.adjusted(-overhang, -2, overhang, 2);
    }
    DrawOnLayer(p, bounds, [&](QPainter& layer) {
        for (TPendingRun& r : runs)
            DrawRun(layer, r);
    });
    // Runs wholly outside the clip were not drawn; they are dropped all the same.
    for (TPendingRun& r : runs) {
        r.Glyphs.clear();
        r.Positions.clear();
    }
}

void QtCanvas::DrawRun(QPainter& p, TPendingRun& r) {
    if (r.Glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(r.Words->RawFont());
    run.setGlyphIndexes(r.Glyphs);
    // Lines under or through the run start at the run's origin: the first word's baseline.
    const QPointF origin(r.StartX, r.Y + r.Ascent);
    for (QPointF& position : r.Positions)
        position -= origin;
    run.setPositions(r.Positions);
    p.drawGlyphRun(origin, run);
    // The lines under and through the run are drawn here, as text drawing places them, from the run's first
    // word to its end: a glyph run's own decoration lands beside the words on a translated painter.
    if (r.Words->Underline() || r.Words->StrikeOut()) {
        const QRawFont& raw = r.Words->RawFont();
        const QPen previous = p.pen();
        QPen pen = previous;
        pen.setStyle(Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        pen.setWidthF(raw.lineThickness());
        p.setPen(pen);
        const qreal left = std::floor(qreal(r.StartX)), right = std::floor(qreal(r.EndX));
        const qreal baseline = origin.y();
        if (r.Words->Underline()) {
            // Below the glyphs, but within the descent.
            const qreal offset = raw.underlinePosition();
            qreal adjusted = std::ceil(offset) + 0.5;
            if (offset <= raw.descent())
                adjusted = std::min(adjusted, raw.descent() - 0.5);
            p.drawLine(QLineF(left, baseline + adjusted, right, baseline + adjusted));
        }
        if (r.Words->StrikeOut())
            p.drawLine(QLineF(left, baseline - raw.ascent() / 3, right, baseline - raw.ascent() / 3));
        p.setPen(previous);
    }
    r.Glyphs.clear();
    r.Positions.clear();
}

void QtCanvas::Release() {
    Flush();
    if (!FOwnPainter)
        return;
    FOwnPainter->end();
    FOwnPainter.reset();
    FPainter = nullptr;
}

QPainter& QtCanvas::Painter() {
    Flush();
    return OpenPainter();
}

QPainter& QtCanvas::OpenPainter() {
    if (!FPainter) {
        FOwnPainter = std::make_unique<QPainter>(FTarget);
        FPainter = FOwnPainter.get();
        if (FClip)
            FPainter->setClipRect(ToQRect(*FClip));
    }
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return *FPainter;
}

void QtCanvas::TextOut(int x, int y, std::string_view text) {
    // Gathering words touches no painter state; only drawing them does.
    const TQtFont& qtFont = CurrentFont(FPainter ? FPainter->device() : FTarget);
    if (Brush().Style() != TBrushStyle::bsSolid && !text.empty() && text.size() <= MaxCachedWordLength) {
        TFontWords* words = qtFont.FineWords ? qtFont.FineWords : qtFont.Words;
        const TShapedWord& word = words->Shaped(text);
        if (word.Drawable) {
            // Fine words keep the baseline and the advance of the hinted ones: their glyphs are spread over
            // the hinted advance.
            const int advance = words == qtFont.Words ? word.Advance : qtFont.Words->Advance(text);
            const int baselineShift = qtFont.Words->Ascent() - words->Ascent();
            const double spread = word.Advance > 0 ? double(advance) / word.Advance : 1.0;
            const TColor color = Font().Color();
            if (!FBatch)
                FBatch = std::make_unique<TTextBatch>();
            if (FBatch->Pending && FBatch->Color != color)
                Flush();
            FBatch->Color = color;
            auto run = std::find_if(FBatch->Runs.begin(), FBatch->Runs.end(),
                                    [&](const TPendingRun& r) { return r.Words == words; });
            if (run == FBatch->Runs.end()) {
                // A text of very many fonts would make the search long: past a few, start afresh.
                constexpr size_t MaxRuns = 16;
                if (FBatch->Runs.size() == MaxRuns) {
                    Flush();
                    FBatch->Runs.clear();
                }
                run = FBatch->Runs.emplace(FBatch->Runs.end());
                run->Words = words;
                run->Ascent = qtFont.Words->Ascent();
                run->Glyphs.reserve(1024);
                run->Positions.reserve(1024);
            } else if (words->Decorated() && !run->Glyphs.isEmpty() && (run->Y != y || run->EndX != x)) {
                QPainter& p = OpenPainter();
                p.setPen(ToQColor(color));
                DrawRuns(p, std::span(&*run, 1));
            }
            if (run->Glyphs.isEmpty())
                run->StartX = x;
            run->Y = y;
            run->EndX = x + advance;
            run->Glyphs += word.Glyphs;
            for (const QPointF& position : word.Positions)
                run->Positions.append(QPointF(x + position.x() * spread, y + baselineShift + position.y()));
            FBatch->Pending = true;
            return;
        }
    }
    DrawTextNow(Painter(), x, y, text);
}

void QtCanvas::DrawTextNow(QPainter& p, int x, int y, std::string_view text) {
    const TQtFont& qtFont = CurrentFont(p.device());
    const QFont& font = qtFont.Qt;
    const QString s = FromCp1252(text);
    const QFontMetrics& metrics = qtFont.Metrics;
    if (Brush().Style() == TBrushStyle::bsSolid)
        p.fillRect(x, y, metrics.horizontalAdvance(s), metrics.ascent() + metrics.descent(),
                   ToQColor(Brush().Color()));
    if (p.font() != font)
        p.setFont(font);
    p.setPen(ToQColor(Font().Color()));
    if (!GarblesCrispText(p)) {
        p.drawText(x, y + metrics.ascent(), s);
        return;
    }
    // The text's cell and its ink, which may reach past the cell (italics, accents).
    const QRect cell(x, y, metrics.horizontalAdvance(s), metrics.ascent() + metrics.descent());
    const QRect ink = metrics.boundingRect(s).translated(x, y + metrics.ascent());
    DrawOnLayer(p, (cell | ink).adjusted(-2, -2, 2, 2),
                [&](QPainter& layer) { layer.drawText(x, y + metrics.ascent(), s); });
}

void QtCanvas::TextRect(const TRect& clip, int x, int y, std::string_view text) {
    QPainter& p = Painter();
    p.save();
    p.setClipRect(ToQRect(clip), FClip ? Qt::IntersectClip : Qt::ReplaceClip);
    DrawTextNow(p, x, y, text);
    p.restore();
}

TSize QtCanvas::TextExtent(std::string_view text) {
    QPaintDevice* device = FPainter ? FPainter->device() : FTarget;
    const TQtFont& qtFont = CurrentFont(device);
    const QFontMetrics& metrics = qtFont.Metrics;
    const int height = metrics.ascent() + metrics.descent();
    if (text.size() <= MaxCachedWordLength)
        return {qtFont.Words->Advance(text), height};
    return {metrics.horizontalAdvance(FromCp1252(text)), height};
}

void QtCanvas::FillRect(const TRect& rect) {
    const TRect r = Normalized(rect);
    if (r.IsEmpty() || Brush().Style() == TBrushStyle::bsClear)
        return;
    Painter().fillRect(ToQRect(r), ToQColor(Brush().Color()));
}

void QtCanvas::FrameWithPen(const TRect& r) {
    QPainter& p = Painter();
    const QColor color = ToQColor(Pen().Color());
    if (Pen().Style() != TPenStyle::psSolid) {
        QPen pen(color, 1, ToQtPenStyle(Pen().Style()));
        pen.setCosmetic(true);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(OutlineBox(r));
        return;
    }
    const int w = std::min({Pen().Width(), (r.Width() + 1) / 2, (r.Height() + 1) / 2});
    p.fillRect(r.Left, r.Top, r.Width(), w, color);
    p.fillRect(r.Left, r.Bottom - w, r.Width(), w, color);
    p.fillRect(r.Left, r.Top, w, r.Height(), color);
    p.fillRect(r.Right - w, r.Top, w, r.Height(), color);
}

void QtCanvas::Rectangle(const TRect& rect) {
    const TRect r = Normalized(rect);
    if (r.IsEmpty())
        return;
    const bool outlined = Pen().Style() != TPenStyle::psClear;
    if (Brush().Style() == TBrushStyle::bsSolid) {
        const int inset = outlined && Pen().Style() == TPenStyle::psSolid ? Pen().Width() : 0;
        const TRect inner{r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset};
        if (!inner.IsEmpty())
            Painter().fillRect(ToQRect(inner), ToQColor(Brush().Color()));
    }
    if (outlined)
        FrameWithPen(r);
}

namespace {
void ApplyPenAndBrush(QPainter& p, const TPen& pen, const TBrush& brush) {
    if (pen.Style() == TPenStyle::psClear) {
        p.setPen(Qt::NoPen);
    } else {
        QPen qpen(ToQColor(pen.Color()), pen.Width(), ToQtPenStyle(pen.Style()));
        qpen.setCosmetic(pen.Width() <= 1);
        qpen.setCapStyle(Qt::FlatCap);
        p.setPen(qpen);
    }
    if (brush.Style() == TBrushStyle::bsClear)
        p.setBrush(Qt::NoBrush);
    else
        p.setBrush(ToQColor(brush.Color()));
}
} // namespace

void QtCanvas::RoundRect(const TRect& rect, int cornerWidth, int cornerHeight) {
    const TRect r = Normalized(rect);
    if (r.IsEmpty())
        return;
    QPainter& p = Painter();
    ApplyPenAndBrush(p, Pen(), Brush());
    p.drawRoundedRect(OutlineBox(r), cornerWidth / 2.0, cornerHeight / 2.0);
}

void QtCanvas::Ellipse(const TRect& rect) {
    const TRect r = Normalized(rect);
    if (r.IsEmpty())
        return;
    QPainter& p = Painter();
    ApplyPenAndBrush(p, Pen(), Brush());
    p.drawEllipse(OutlineBox(r));
}

void QtCanvas::Pie(const TRect& rect, TPoint start, TPoint end) {
    const TRect r = Normalized(rect);
    if (r.IsEmpty())
        return;
    const int from = EllipseAngle(r, start);
    int span = EllipseAngle(r, end) - from;
    while (span <= 0)
        span += 360 * 16;
    QPainter& p = Painter();
    ApplyPenAndBrush(p, Pen(), Brush());
    p.drawPie(OutlineBox(r), from, span);
}

void QtCanvas::Polyline(std::span<const TPoint> points) {
    for (size_t i = 1; i < points.size(); ++i)
        DrawLine(points[i - 1], points[i]);
    if (!points.empty())
        MoveTo(points.back().X, points.back().Y);
}

void QtCanvas::DrawLine(TPoint from, TPoint to) {
    if (Pen().Style() == TPenStyle::psClear || from == to)
        return;
    QPainter& p = Painter();
    if (Pen().Style() == TPenStyle::psSolid && Pen().Width() == 1 && (from.X == to.X || from.Y == to.Y)) {
        // Straight lines are filled exactly, so the end point is left out as on the original devices.
        const QColor color = ToQColor(Pen().Color());
        if (from.Y == to.Y) {
            const int x0 = to.X > from.X ? from.X : to.X + 1;
            p.fillRect(x0, from.Y, std::abs(to.X - from.X), 1, color);
        } else {
            const int y0 = to.Y > from.Y ? from.Y : to.Y + 1;
            p.fillRect(from.X, y0, 1, std::abs(to.Y - from.Y), color);
        }
        return;
    }
    ApplyPenAndBrush(p, Pen(), Brush());
    // A flat-capped cosmetic line leaves out its last pixel.
    p.drawLine(from.X, from.Y, to.X, to.Y);
}

const TPalette* QtCanvas::ScreenPalette() const {
    return FRealizedPalette && !FRealizedPalette->Empty() && Screen().BitsPerPixel() <= 8 ? FRealizedPalette
                                                                                          : nullptr;
}

void QtCanvas::DrawImage(const TRect& dest, const QImage& image) {
    QImage shown = image;
    if (const TPalette* palette = ScreenPalette())
        shown = InPalette(image.convertToFormat(QImage::Format_ARGB32), *palette);
    QPainter& p = Painter();
    const double ratio = DeviceRatio(p);
    const QSize size = LogicalSize(image);
    if (dest.Width() == size.width() && dest.Height() == size.height() && image.devicePixelRatio() == ratio) {
        p.drawImage(dest.Left, dest.Top, shown);
        return;
    }
    // On a scaled screen a picture is resampled smoothly to the device pixels it covers.
    p.setRenderHint(QPainter::SmoothPixmapTransform, ratio != 1.0);
    p.drawImage(ToQRect(dest), shown);
}

void QtCanvas::Draw(int x, int y, const TGraphic& graphic) {
    if (graphic.Empty())
        return;
    const QImage& image = QtImage(graphic);
    const QSize size = LogicalSize(image);
    DrawImage(Bounds(x, y, size.width(), size.height()), image);
}

void QtCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
    const TRect r = Normalized(rect);
    if (graphic.Empty() || r.IsEmpty())
        return;
    DrawImage(r, QtImage(graphic));
}

namespace {
// A block transfer's rectangles, both logical: where it draws and the part of the source it takes.
struct TCopyRects {
    QRect Dest;
    QRect From;
    bool Unscaled() const { return From.size() == Dest.size(); }
};

// Narrows an unscaled copy to the part that lands where the device can show it; false when none does.
bool ClipToShown(const QPainter& p, TCopyRects& rects) {
    const QRect visible = rects.Dest & ShownArea(p);
    if (visible.isEmpty())
        return false;
    rects.From = QRect(rects.From.topLeft() + (visible.topLeft() - rects.Dest.topLeft()), visible.size());
    rects.Dest = visible;
    return true;
}

// What a copy draws, as a 32-bit image at the device's ratio: the source's pixels under the source
// rectangle, resampled where they are not the device pixels the copy covers, and in the palette's colours
// where the screen shows only those (no palette: in its own). A source that cannot be read gives black.
QImage CopySource(const QImage& picture, const QRect& pixels, QSize devicePixels, double ratio,
                  const TPalette* palette) {
    QImage s = picture.copy(pixels).convertToFormat(QImage::Format_RGB32);
    if (s.isNull()) {
        s = QImage(devicePixels, QImage::Format_RGB32);
        s.fill(Qt::black);
    }
    if (s.size() != devicePixels)
        s = s.scaled(devicePixels, Qt::IgnoreAspectRatio,
                     ratio == 1.0 ? Qt::FastTransformation : Qt::SmoothTransformation);
    if (palette)
        s = InPalette(s, *palette).convertToFormat(QImage::Format_RGB32);
    s.setDevicePixelRatio(ratio);
    return s;
}

// What a copy mode lays over the destination: the source, the brush's colour (the pattern), or a colour
// of its own.
enum class TOperand { Source, Pattern, Black, White };

// The pattern combined into a copy of the source before it is drawn: First (with black) unless it is
// CompositionMode_Source, then the pattern through Op.
struct TPatternMix {
    QPainter::CompositionMode First;
    QPainter::CompositionMode Op;
};

// A copy mode as its operand, the operation that combines the operand with the destination, and for the
// modes that join source and pattern, how they are joined.
struct TRasterOp {
    TCopyMode Mode;
    TOperand Operand;
    QPainter::CompositionMode Op;
    std::optional<TPatternMix> Pattern = std::nullopt;
};

// Black, white and the plain copies need no raster operation.
constexpr TRasterOp RasterOps[] = {
    {TCopyMode::cmBlackness, TOperand::Black, QPainter::CompositionMode_Source},
    {TCopyMode::cmDstInvert, TOperand::Black, QPainter::RasterOp_NotDestination},
    {TCopyMode::cmMergeCopy, TOperand::Source, QPainter::CompositionMode_Source,
     TPatternMix{QPainter::CompositionMode_Source, QPainter::RasterOp_SourceAndDestination}},
    {TCopyMode::cmMergePaint, TOperand::Source, QPainter::RasterOp_NotSourceOrDestination},
    {TCopyMode::cmNotSrcCopy, TOperand::Source, QPainter::RasterOp_NotSource},
    {TCopyMode::cmNotSrcErase, TOperand::Source, QPainter::RasterOp_NotSourceAndNotDestination},
    {TCopyMode::cmPatCopy, TOperand::Pattern, QPainter::CompositionMode_Source},
    {TCopyMode::cmPatInvert, TOperand::Pattern, QPainter::RasterOp_SourceXorDestination},
    {TCopyMode::cmPatPaint, TOperand::Source, QPainter::RasterOp_SourceOrDestination,
     TPatternMix{QPainter::RasterOp_NotDestination, QPainter::RasterOp_SourceOrDestination}},
    {TCopyMode::cmSrcAnd, TOperand::Source, QPainter::RasterOp_SourceAndDestination},
    {TCopyMode::cmSrcCopy, TOperand::Source, QPainter::CompositionMode_Source},
    {TCopyMode::cmSrcErase, TOperand::Source, QPainter::RasterOp_SourceAndNotDestination},
    {TCopyMode::cmSrcInvert, TOperand::Source, QPainter::RasterOp_SourceXorDestination},
    {TCopyMode::cmSrcPaint, TOperand::Source, QPainter::RasterOp_SourceOrDestination},
    {TCopyMode::cmWhiteness, TOperand::White, QPainter::CompositionMode_Source},
};

QImage WithPattern(QImage image, const TPatternMix& mix, const QColor& pattern) {
    QPainter tp(&image);
    if (mix.First != QPainter::CompositionMode_Source) {
        tp.setCompositionMode(mix.First);
        tp.fillRect(image.rect(), Qt::black);
    }
    tp.setCompositionMode(mix.Op);
    tp.fillRect(image.rect(), pattern);
    return image;
}

// Lays the operand over the rectangle through the operation. Devices without raster operations (printers)
// get the plain operand.
void DrawRasterOp(QPainter& p, const TRasterOp& op, const QRect& rect, const QImage& source,
                  const QColor& pattern) {
    const bool rasterOps = p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    p.setCompositionMode(rasterOps ? op.Op : QPainter::CompositionMode_Source);
    switch (op.Operand) {
    case TOperand::Source:
        p.drawImage(rect.topLeft(), op.Pattern ? WithPattern(source, *op.Pattern, pattern) : source);
        break;
    case TOperand::Pattern:
        p.fillRect(rect, pattern);
        break;
    case TOperand::Black:
        p.fillRect(rect, QColor(Qt::black));
        break;
    case TOperand::White:
        p.fillRect(rect, QColor(Qt::white));
        break;
    }
}
} // namespace

void QtCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect, TCopyMode mode) {
    const TRect d = Normalized(dest);
    if (d.IsEmpty())
        return;
    TCopyRects rects{ToQRect(d), ToQRect(Normalized(sourceRect))};
    // An unscaled copy takes only the part of the source that lands where the device can show it: a
    // control paints its own small part of a whole page picture many times.
    if (rects.Unscaled() && !ClipToShown(Painter(), rects))
        return;
    // Reading the source finishes drawing on it, which may be this canvas's own, so the painter is taken
    // after it.
    const QImage& picture = QtImage(source);
    QPainter& p = Painter();
    const double ratio = DeviceRatio(p);
    // The rectangles are logical; the source's pixels may be finer (a picture for a scaled screen).
    const QRect pixels = DeviceRect(rects.From, picture.devicePixelRatio());
    const QSize devicePixels = DeviceRect(rects.Dest, ratio).size();
    const TPalette* palette = ScreenPalette();
    if (mode == TCopyMode::cmSrcCopy && !palette && !picture.hasAlphaChannel() && rects.Unscaled() &&
        picture.rect().contains(pixels)) {
        // A plain copy of opaque pixels draws straight from the source, resampled smoothly only where its
        // pixels are not the device's.
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setRenderHint(QPainter::SmoothPixmapTransform, pixels.size() != devicePixels);
        p.drawImage(QRectF(rects.Dest), picture, QRectF(pixels));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    const auto* op = std::ranges::find(RasterOps, mode, &TRasterOp::Mode);
    if (op != std::end(RasterOps)) {
        // Fills leave the source unread.
        const QImage s = op->Operand == TOperand::Source
                             ? CopySource(picture, pixels, devicePixels, ratio, palette)
                             : QImage();
        DrawRasterOp(p, *op, rects.Dest, s, ToQColor(Brush().Color()));
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QtCanvas::SetStretchMode(TStretchMode mode) {
    FStretchMode = mode;
}

void QtCanvas::SetClipRect(const TRect& rect) {
    Flush();
    FClip = std::make_unique<TRect>(Normalized(rect));
    if (FPainter)
        FPainter->setClipRect(ToQRect(*FClip));
}

void QtCanvas::ResetClip() {
    Flush();
    FClip.reset();
    if (FPainter)
        FPainter->setClipping(false);
}

const TPalette* QtCanvas::SelectPalette(const TPalette* palette) {
    const TPalette* previous = FSelectedPalette;
    FSelectedPalette = palette;
    if (!palette)
        FRealizedPalette = nullptr;
    return previous;
}

void QtCanvas::RealizePalette() {
    FRealizedPalette = FSelectedPalette;
}

} // namespace orvalis
