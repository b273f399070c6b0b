#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/icon.h"
#include "platform/palette.h"
#include "platform/qt_canvas.h"
#include "platform/qt_image.h"
#include "platform/qt_text.h"
#include "platform/screen.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

namespace orvalis {
namespace {

TColor Gray(uint8_t v) {
    return {v, v, v};
}

// Each channel of source 0xCC, destination 0xAA and pattern 0xF0 holds every combination of the three bits
// once, so the resulting byte is the operation's ternary raster code.
TEST(QtCanvas, CopyRect_EveryMode_MatchesTernaryRasterCode) {
    struct Case {
        TCopyMode Mode;
        uint8_t Code;
    };
    const Case cases[] = {
        {TCopyMode::cmBlackness, 0x00},  {TCopyMode::cmDstInvert, 0x55},  {TCopyMode::cmMergeCopy, 0xC0},
        {TCopyMode::cmMergePaint, 0xBB}, {TCopyMode::cmNotSrcCopy, 0x33}, {TCopyMode::cmNotSrcErase, 0x11},
        {TCopyMode::cmPatCopy, 0xF0},    {TCopyMode::cmPatInvert, 0x5A},  {TCopyMode::cmPatPaint, 0xFB},
        {TCopyMode::cmSrcAnd, 0x88},     {TCopyMode::cmSrcCopy, 0xCC},    {TCopyMode::cmSrcErase, 0x44},
        {TCopyMode::cmSrcInvert, 0x66},  {TCopyMode::cmSrcPaint, 0xEE},   {TCopyMode::cmWhiteness, 0xFF},
    };
    const TBitmap source(4, 4, Gray(0xCC));
    for (const Case& c : cases) {
        TBitmap dest(6, 6, Gray(0xAA));
        dest.Canvas().Brush().SetColor(Gray(0xF0));
        dest.Canvas().CopyRect({1, 1, 5, 5}, source, {0, 0, 4, 4}, c.Mode);
        SCOPED_TRACE(int(c.Mode));
        EXPECT_EQ(dest.Pixel(2, 3), Gray(c.Code));
        EXPECT_EQ(dest.Pixel(0, 0), Gray(0xAA)) << "outside the destination rectangle";
        EXPECT_EQ(dest.Pixel(5, 5), Gray(0xAA)) << "right and bottom edges are excluded";
    }
}

TEST(QtCanvas, CopyRect_DifferentSizes_StretchesByNearestPixel) {
    TBitmap source(2, 1);
    source.Canvas().Brush().SetColor(clRed);
    source.Canvas().FillRect({0, 0, 1, 1});
    TBitmap dest(4, 2, clBlack);
    dest.Canvas().CopyRect({0, 0, 4, 2}, source, {0, 0, 2, 1}, TCopyMode::cmSrcCopy);
    EXPECT_EQ(dest.Pixel(0, 0), clRed);
    EXPECT_EQ(dest.Pixel(1, 1), clRed);
    EXPECT_EQ(dest.Pixel(2, 0), clWhite);
    EXPECT_EQ(dest.Pixel(3, 1), clWhite);
}

// A control paints its part of a large page picture by copying the whole picture at an offset; only the part
// the device shows is taken, and every shown pixel must come from the right place, whatever the clip, the
// mode or the painter's scale (a printer page).
TEST(QtCanvas, CopyRect_LargerThanTheDevice_ShowsTheSamePixels) {
    TBitmap source(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            MutableQtImage(source).setPixel(x, y, qRgb(x * 6, y * 8, 0x55));
    const auto expected = [&](int x, int y, TCopyMode mode) {
        const TColor c = source.Pixel(x + 13, y + 7);
        return mode == TCopyMode::cmSrcCopy ? c : TColor{uint8_t(~c.R), uint8_t(~c.G), uint8_t(~c.B)};
    };
    for (const TCopyMode mode : {TCopyMode::cmSrcCopy, TCopyMode::cmNotSrcCopy}) {
        SCOPED_TRACE(int(mode));
        TBitmap dest(12, 10, clBlack);
        dest.Canvas().CopyRect(Bounds(-13, -7, 40, 30), source, {0, 0, 40, 30}, mode);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(dest.Pixel(x, y), expected(x, y, mode)) << x << "," << y;

        TBitmap clipped(12, 10, clBlack);
        clipped.Canvas().SetClipRect({3, 2, 9, 8});
        clipped.Canvas().CopyRect(Bounds(-13, -7, 40, 30), source, {0, 0, 40, 30}, mode);
        EXPECT_EQ(clipped.Pixel(3, 2), expected(3, 2, mode));
        EXPECT_EQ(clipped.Pixel(8, 7), expected(8, 7, mode));
        EXPECT_EQ(clipped.Pixel(2, 2), clBlack) << "outside the clip";
        EXPECT_EQ(clipped.Pixel(9, 7), clBlack) << "outside the clip";
    }

    QImage page(24, 20, QImage::Format_RGB32);
    page.fill(Qt::black);
    {
        QPainter painter(&page);
        painter.scale(2, 2);
        QtCanvas canvas(&painter);
        canvas.CopyRect(Bounds(-13, -7, 40, 30), source, {0, 0, 40, 30}, TCopyMode::cmSrcCopy);
    }
    const QRgb far = page.pixel(23, 19); // logical pixel 11,9
    const TColor want = expected(11, 9, TCopyMode::cmSrcCopy);
    EXPECT_EQ(TColor(uint8_t(qRed(far)), uint8_t(qGreen(far)), uint8_t(qBlue(far))), want)
        << "a scaled painter shows the whole logical area";
}

TEST(QtCanvas, Rectangle_SolidPenAndBrush_OutlinesInsideTheBox) {
    TBitmap b(10, 10, clWhite);
    TCanvas& c = b.Canvas();
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clBlue);
    c.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(b.Pixel(2, 2), clRed);
    EXPECT_EQ(b.Pixel(7, 5), clRed);
    EXPECT_EQ(b.Pixel(7, 3), clRed);
    EXPECT_EQ(b.Pixel(3, 3), clBlue);
    EXPECT_EQ(b.Pixel(6, 4), clBlue);
    EXPECT_EQ(b.Pixel(8, 3), clWhite);
    EXPECT_EQ(b.Pixel(3, 6), clWhite);
    EXPECT_EQ(b.Pixel(1, 1), clWhite);
}

TEST(QtCanvas, Rectangle_ClearPenOrClearBrush_DrawsOnlyTheOtherPart) {
    TBitmap b(10, 10, clWhite);
    TCanvas& c = b.Canvas();
    c.Pen().SetStyle(TPenStyle::psClear);
    c.Brush().SetColor(clBlue);
    c.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(b.Pixel(0, 0), clBlue);
    EXPECT_EQ(b.Pixel(3, 3), clBlue);
    EXPECT_EQ(b.Pixel(4, 4), clWhite);

    c.Pen().SetStyle(TPenStyle::psSolid);
    c.Pen().SetColor(clRed);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Rectangle(5, 5, 10, 10);
    EXPECT_EQ(b.Pixel(5, 5), clRed);
    EXPECT_EQ(b.Pixel(9, 9), clRed);
    EXPECT_EQ(b.Pixel(7, 7), clWhite);
}

TEST(QtCanvas, LineTo_LeavesOutTheEndPoint) {
    TBitmap b(10, 10, clWhite);
    TCanvas& c = b.Canvas();
    c.MoveTo(1, 1);
    c.LineTo(5, 1);
    c.LineTo(5, 4);
    EXPECT_EQ(b.Pixel(1, 1), clBlack);
    EXPECT_EQ(b.Pixel(4, 1), clBlack);
    EXPECT_EQ(b.Pixel(5, 1), clBlack) << "start of the second line";
    EXPECT_EQ(b.Pixel(5, 3), clBlack);
    EXPECT_EQ(b.Pixel(5, 4), clWhite);
    EXPECT_EQ(c.PenPos(), (TPoint{5, 4}));

    c.MoveTo(9, 9);
    c.LineTo(9, 6);
    EXPECT_EQ(b.Pixel(9, 9), clBlack);
    EXPECT_EQ(b.Pixel(9, 7), clBlack);
    EXPECT_EQ(b.Pixel(9, 6), clWhite);
}

TEST(QtCanvas, EllipseAndPie_StayInTheirBoxAndSliceCounterClockwise) {
    TBitmap b(21, 21, clWhite);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlue);
    c.Pen().SetColor(clBlue);
    c.Ellipse({0, 0, 21, 21});
    EXPECT_EQ(b.Pixel(10, 10), clBlue);
    EXPECT_EQ(b.Pixel(0, 0), clWhite);
    EXPECT_EQ(b.Pixel(20, 20), clWhite);

    TBitmap p(21, 21, clWhite);
    p.Canvas().Brush().SetColor(clRed);
    p.Canvas().Pen().SetColor(clRed);
    // From east to north, counter-clockwise: the upper right quarter.
    p.Canvas().Pie({0, 0, 21, 21}, {20, 10}, {10, 0});
    EXPECT_EQ(p.Pixel(15, 5), clRed);
    EXPECT_EQ(p.Pixel(5, 5), clWhite);
    EXPECT_EQ(p.Pixel(5, 15), clWhite);
    EXPECT_EQ(p.Pixel(15, 15), clWhite);
}

TEST(QtCanvas, TextOut_SolidBrushFillsTheCellAndClearBrushLeavesIt) {
    TBitmap b(60, 20, clWhite);
    TCanvas& c = b.Canvas();
    c.Font().SetHeight(-11);
    c.Brush().SetColor(clYellow);
    const TSize size = c.TextExtent("WW");
    ASSERT_GT(size.cx, 4);
    ASSERT_GT(size.cy, 8);
    c.TextOut(0, 0, "WW");
    EXPECT_EQ(b.Pixel(size.cx - 1, size.cy - 1), clYellow);
    EXPECT_EQ(b.Pixel(size.cx + 1, 1), clWhite);

    TBitmap t(60, 20, clWhite);
    t.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    t.Canvas().Font().SetColor(clRed);
    t.Canvas().TextOut(0, 0, "WW");
    int red = 0, other = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            const TColor pixel = t.Pixel(x, y);
            red += pixel == clRed;
            other += pixel != clRed && pixel != clWhite;
        }
    EXPECT_GT(red, 0) << "the glyphs show in the font colour";
    EXPECT_EQ(other, 0) << "crisp glyphs over the untouched white";
}

TEST(QtCanvas, SetClipRect_LimitsDrawingUntilReset) {
    TBitmap b(10, 10, clWhite);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlue);
    c.SetClipRect({2, 2, 5, 5});
    c.FillRect({0, 0, 10, 10});
    EXPECT_EQ(b.Pixel(1, 1), clWhite);
    EXPECT_EQ(b.Pixel(2, 2), clBlue);
    EXPECT_EQ(b.Pixel(5, 5), clWhite);
    c.ResetClip();
    c.FillRect({0, 0, 10, 10});
    EXPECT_EQ(b.Pixel(9, 9), clBlue);
}

TEST(QtCanvas, StretchDraw_ScalesByNearestPixel) {
    TBitmap source(2, 1, clRed);
    source.Canvas().Brush().SetColor(clBlue);
    source.Canvas().FillRect({1, 0, 2, 1});
    TBitmap b(4, 1, clWhite);
    b.Canvas().StretchDraw({0, 0, 4, 1}, source);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(1, 0), clRed);
    EXPECT_EQ(b.Pixel(2, 0), clBlue);
    EXPECT_EQ(b.Pixel(3, 0), clBlue);
}

TEST(QtCanvas, RealizedPalette_MapsPicturesOnlyOnScreensOfEightBitsOrLess) {
    const TPalette palette({clBlack, clWhite, clRed});
    const TBitmap source(2, 2, TColor::FromRgb(0xE01010));
    for (int bits : {8, 4, 24}) {
        TScreenOverride screen({.BitsPerPixel = bits});
        TBitmap b(2, 2, clWhite);
        b.Canvas().SelectPalette(&palette);
        b.Canvas().RealizePalette();
        b.Canvas().Draw(0, 0, source);
        EXPECT_EQ(b.Pixel(1, 1), bits <= 8 ? clRed : TColor::FromRgb(0xE01010)) << bits;
    }
}

TEST(QtCanvas, Draw_IconBlendsOverWhatLiesBeneath) {
    TIcon icon;
    QImage image(2, 1, QImage::Format_ARGB32_Premultiplied);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    MutableQtImage(icon) = image;
    TBitmap b(2, 1, clBlue);
    b.Canvas().Draw(0, 0, icon);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(1, 0), clBlue);
}

// Text tests with the real fonts: white pictures, Arial at a point size, transparent text.
QImage WhiteImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void PlainText(QtCanvas& canvas, int points, TColor color = clBlack) {
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetName("Arial");
    canvas.Font().SetSize(points);
    canvas.Font().SetColor(color);
}

int CountPixels(const QImage& image, const std::function<bool(QRgb)>& which) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += which(image.pixel(x, y));
    return n;
}

// Words gathered into glyph runs must look as if each had been drawn as text on its own: the glyphs
// exactly; a line under or through a run may end a pixel apart, as runs measure their width unhinted.
TEST(QtCanvasWords, GatheredWordsMatchTextDrawnOneByOne) {
    struct TWord {
        int X, Y;
        std::string Text;
        TFontStyles Style;
        TColor Color;
    };
    const TFontStyles plain;
    const TFontStyles bold = TFontStyles().Set(TFontStyle::fsBold, true);
    const TFontStyles link = TFontStyles().Set(TFontStyle::fsUnderline, true);
    const TFontStyles struck = TFontStyles().Set(TFontStyle::fsStrikeOut, true);
    std::vector<TWord> words = {
        {2, 0, "Een ", plain, clBlack},
        {30, 0, "ijzertekort ", bold, clBlack},
        {110, 0, "\xE9\xE9n ", plain, clBlack},
        {140, 0, "vitamine ", link, clBlue},
        {196, 0, "c", link, clBlue},
        {210, 0, " en  ", plain, clBlack},
        {2, 20, "regel ", link, clBlue},
        {60, 20, "doorgestreept ", struck, clRed},
        {2, 40, "AV Wa To ", plain, clBlack},
        {2, 60, "    ", link, clBlue},
    };
    QImage gathered = WhiteImage(320, 90), direct = WhiteImage(320, 90);
    {
        QtCanvas canvas(&gathered);
        PlainText(canvas, 10);
        QPainter painter(&direct);
        for (const TWord& w : words) {
            canvas.Font().SetStyle(w.Style);
            canvas.Font().SetColor(w.Color);
            canvas.TextOut(w.X, w.Y, w.Text);
            const QFont qfont = ToQFont(canvas.Font());
            painter.setFont(qfont);
            painter.setPen(QColor(w.Color.R, w.Color.G, w.Color.B));
            painter.drawText(w.X, w.Y + QFontMetrics(qfont, &direct).ascent(), FromCp1252(w.Text));
        }
    }
    int differing = 0, outsideLineEnds = 0;
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x) {
            if (gathered.pixel(x, y) == direct.pixel(x, y))
                continue;
            ++differing;
            // A line end: the pixel lies on a horizontal line of the run's colour.
            const QRgb line =
                gathered.pixel(x, y) != qRgb(255, 255, 255) ? gathered.pixel(x, y) : direct.pixel(x, y);
            outsideLineEnds +=
                !(x > 0 && (gathered.pixel(x - 1, y) == line || direct.pixel(x - 1, y) == line));
        }
    EXPECT_EQ(outsideLineEnds, 0);
    EXPECT_LE(differing, 6); // at most one pixel at each of the six decorated words' ends
}

// Words of another colour keep their order: the later one covers the earlier where they overlap. Words of
// one colour may wait side by side whatever their fonts, and still cover what was drawn before them.
TEST(QtCanvasWords, LaterColorCoversEarlierWords) {
    QImage image = WhiteImage(120, 40), reference = WhiteImage(120, 40);
    {
        QtCanvas canvas(&image);
        PlainText(canvas, 14);
        canvas.TextOut(2, 2, "MMMM");
        canvas.Font().SetStyle(TFontStyle::fsBold);
        canvas.TextOut(2, 2, "MMMM"); // same colour, another font
        canvas.Font().SetStyle(TFontStyles());
        canvas.Font().SetColor(clRed);
        canvas.TextOut(2, 2, "MMMM"); // over both
        QtCanvas alone(&reference);
        PlainText(alone, 14, clRed);
        alone.TextOut(2, 2, "MMMM");
    }
    EXPECT_GT(CountPixels(image, [](QRgb c) { return c == qRgb(255, 0, 0); }), 50);
    EXPECT_GT(CountPixels(image, [](QRgb c) { return c == qRgb(0, 0, 0); }), 10)
        << "the bold glyphs reach beyond the regular red ones";
    // Where the regular red glyphs are, nothing black remains on top.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (reference.pixel(x, y) == qRgb(255, 0, 0)) {
                ASSERT_EQ(image.pixel(x, y), qRgb(255, 0, 0)) << x << "," << y;
            }
}

// Drawing calls between words keep their order: a rectangle drawn after a word covers it.
TEST(QtCanvasWords, LaterDrawingCoversGatheredWords) {
    QImage image = WhiteImage(100, 30);
    {
        QtCanvas canvas(&image);
        PlainText(canvas, 12);
        canvas.TextOut(2, 2, "MMMM");
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(clWhite);
        canvas.FillRect(TRect{0, 0, 100, 30});
    }
    EXPECT_EQ(CountPixels(image, [](QRgb c) { return qGray(c) < 128; }), 0);
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

// A control paints through a translated painter; the line under a link must stay under its words there
// too, as text drawing puts it.
TEST(QtCanvasWords, UnderlineOnTranslatedPainter_StaysUnderTheWords) {
    QImage gathered = WhiteImage(300, 120), direct = WhiteImage(300, 120);
    {
        QPainter target(&gathered);
        target.translate(37, 41);
        QtCanvas canvas(&target);
        PlainText(canvas, 10);
        canvas.Font().SetStyle(TFontStyles().Set(TFontStyle::fsUnderline, true));
        canvas.TextOut(20, 30, "zwangerschap ");
        canvas.TextOut(110, 30, "gebruik");
        const QFont qfont = ToQFont(canvas.Font());
        QPainter painter(&direct);
        painter.translate(37, 41);
        painter.setFont(qfont);
        painter.setPen(Qt::black);
        const int ascent = QFontMetrics(qfont, &direct).ascent();
        painter.drawText(20, 30 + ascent, "zwangerschap ");
        painter.drawText(110, 30 + ascent, "gebruik");
    }
    int differing = 0;
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x)
            differing += gathered.pixel(x, y) != direct.pixel(x, y);
    EXPECT_LE(differing, 2); // a pixel at a line's end
}

// A 16-bit surface (a widget on a 16-bit screen) shows the words as a 32-bit one, in 16-bit colour: gathered
// words of several fonts and colours, lines under and through them, text in a cell and text cut at its
// rectangle, on a painter that is moved and clipped as a widget's is. Nothing lands outside the clip.
TEST(QtCanvasWords, GarbledTextOnSixteenBits_WordsAsAtThirtyTwo) {
    const auto draw = [](QImage& image) {
        image.fill(QColor(0xEA, 0xD2, 0x91));
        QPainter target(&image);
        target.translate(300, 11);
        target.setClipRect(QRect(-290, 0, 560, 100));
        QtCanvas canvas(&target);
        PlainText(canvas, 12, TColor::FromRgb(0x6D3A0D));
        canvas.TextOut(-296, 4, "Orvalis 2.0 release 2 ");
        canvas.Font().SetStyle(TFontStyles().Set(TFontStyle::fsBold, true));
        canvas.TextOut(-130, 4, "algemene ");
        canvas.Font().SetStyle(TFontStyles().Set(TFontStyle::fsItalic, true));
        canvas.TextOut(-60, 4, "informatie");
        canvas.Font().SetStyle(TFontStyles().Set(TFontStyle::fsUnderline, true));
        canvas.Font().SetColor(clBlue);
        canvas.TextOut(-200, 30, "Disclaimer ");
        canvas.Font().SetStyle(TFontStyles().Set(TFontStyle::fsStrikeOut, true));
        canvas.TextOut(-100, 30, "doorgestreept");
        canvas.Font().SetStyle({});
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(clYellow);
        canvas.TextOut(200, 30, "Gevonden: 16");
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
        canvas.TextRect({-250, 60, -180, 70}, -260, 55, "Voordat u begint");
        canvas.Release();
    };
    QImage deep(640, 120, QImage::Format_RGB32), shallow(640, 120, QImage::Format_RGB16);
    draw(deep);
    draw(shallow);
    const QImage expected = deep.convertToFormat(QImage::Format_RGB16);
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            differing += shallow.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);
    const QRgb beige = expected.pixel(0, 0);
    EXPECT_EQ(CountPixels(shallow.copy(0, 0, 10, 120), [&](QRgb p) { return p != beige; }), 0)
        << "left of the clip";
    EXPECT_EQ(CountPixels(shallow.copy(0, 0, 640, 11), [&](QRgb p) { return p != beige; }), 0)
        << "above the clip";
    EXPECT_GT(CountPixels(shallow, [](QRgb p) { return qBlue(p) > 200 && qRed(p) < 50; }), 20)
        << "the blue words are drawn";
}

// Words gathered outside the clip of a 16-bit surface are dropped with the flush that clips them; they do
// not come back with the next words once the clip is gone.
TEST(QtCanvasWords, ClippedWordsOnSixteenBits_DoNotReturnAfterTheClip) {
    QImage image(200, 60, QImage::Format_RGB16);
    image.fill(Qt::white);
    {
        QtCanvas canvas(&image);
        PlainText(canvas, 12);
        canvas.SetClipRect({0, 0, 100, 60});
        canvas.TextOut(120, 5, "Verborgen");
        canvas.ResetClip();
        canvas.TextOut(5, 30, "Zichtbaar");
    }
    EXPECT_EQ(CountPixels(image.copy(100, 0, 100, 60), [](QRgb p) { return p != qRgb(255, 255, 255); }), 0);
    EXPECT_GT(CountPixels(image.copy(0, 30, 100, 30), [](QRgb p) { return p != qRgb(255, 255, 255); }), 0);
}

// Bitmaps and copies on a screen that scales by 2: sizes and rectangles stay logical, pixels are the
// device's, and a picture drawn at the device's resolution reaches the device pixel for pixel.
class ScaledCanvasTest : public testing::Test {
protected:
    // A picture of 4x4 logical pixels at ratio 2, its device pixels a checker board.
    static TBitmap Checker() {
        QImage image(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 128));
        image.setDevicePixelRatio(2.0);
        TBitmap bitmap;
        bitmap.TakeImage(TImageData{image}, TPixelFormat::pf24bit);
        return bitmap;
    }

    TScreenOverride FScreen{{.DevicePixelRatio = 2.0}};
};

TEST_F(ScaledCanvasTest, Bitmap_HasLogicalSizeAndDevicePixels) {
    TBitmap bitmap(10, 6, clWhite);
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.Height(), 6);
    EXPECT_EQ(QtImage(bitmap).size(), QSize(20, 12));
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Bounds(2, 2, 3, 2));
    EXPECT_EQ(bitmap.Pixel(2, 2), clRed);
    EXPECT_EQ(bitmap.Pixel(4, 3), clRed);
    EXPECT_EQ(bitmap.Pixel(5, 3), clWhite);
    EXPECT_EQ(bitmap.Pixel(1, 2), clWhite);
    const QImage& image = QtImage(bitmap);
    EXPECT_EQ(image.pixelColor(4, 4), QColor(Qt::red)) << "the fill starts at the device pixel of (2, 2)";
    EXPECT_EQ(image.pixelColor(3, 4), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(9, 7), QColor(Qt::red)) << "and ends after the device pixel of (4, 3)";
    EXPECT_EQ(image.pixelColor(10, 7), QColor(Qt::white));
    EXPECT_EQ(bitmap.Pixel(10, 0), clBlack) << "outside the logical picture";
}

TEST_F(ScaledCanvasTest, CopyRect_FinePicture_ReachesTheDevicePixelForPixel) {
    const TBitmap source = Checker();
    ASSERT_EQ(source.Width(), 4);
    // A plain copy, a raster operation and a copy of a part: each device pixel of the source lands on one
    // device pixel of the target.
    for (const TCopyMode mode : {TCopyMode::cmSrcCopy, TCopyMode::cmSrcInvert}) {
        TBitmap target(4, 4, clBlack);
        target.Canvas().CopyRect(Bounds(0, 0, 4, 4), source, Bounds(0, 0, 4, 4), mode);
        const QImage& to = QtImage(target);
        const QImage& from = QtImage(source);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(to.pixel(x, y), from.pixel(x, y)) << int(mode) << " at " << x << "," << y;
    }
    TBitmap target(4, 4, clBlack);
    target.Canvas().CopyRect(Bounds(0, 0, 2, 2), source, Bounds(1, 1, 2, 2), TCopyMode::cmSrcCopy);
    EXPECT_EQ(QtImage(target).pixel(0, 0), QtImage(source).pixel(2, 2));
    EXPECT_EQ(QtImage(target).pixel(1, 0), QtImage(source).pixel(3, 2));
    EXPECT_EQ(QtImage(target).pixel(4, 4), qRgb(0, 0, 0)) << "nothing beyond the logical part";
}

TEST_F(ScaledCanvasTest, CoarsePicture_IsResampledSmoothly_FinePictureDrawnAsItIs) {
    // One black and one white logical pixel at ratio 1: on the finer device their border is blended.
    TBitmap coarse;
    {
        QImage image(2, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(0, 0, 0));
        image.setPixel(1, 0, qRgb(255, 255, 255));
        coarse.TakeImage(TImageData{image}, TPixelFormat::pf24bit);
    }
    TBitmap target(2, 1, clRed);
    target.Canvas().Draw(0, 0, coarse);
    const QImage& drawn = QtImage(target);
    const int middle = qRed(drawn.pixel(1, 0)) + qRed(drawn.pixel(2, 0));
    EXPECT_GT(middle, 0);
    EXPECT_LT(middle, 2 * 255) << "the border of the enlarged pixels is blended";

    TBitmap fine(4, 4, clBlack);
    fine.Canvas().Draw(0, 0, Checker());
    EXPECT_EQ(QtImage(fine), QtImage(Checker())) << "a picture of the device's resolution, pixel for pixel";
}

TEST_F(ScaledCanvasTest, Text_MeasuresAsOnAnUnscaledScreen) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-13);
    TSize unscaled;
    {
        TScreenOverride single({.DevicePixelRatio = 1.0});
        TBitmap bitmap(100, 20);
        bitmap.Canvas().Font() = font;
        unscaled = bitmap.Canvas().TextExtent("Gezond worden");
    }
    TBitmap bitmap(100, 20);
    bitmap.Canvas().Font() = font;
    EXPECT_EQ(bitmap.Canvas().TextExtent("Gezond worden"), unscaled);
    bitmap.Canvas().Brush().SetStyle(TBrushStyle::bsClear);
    bitmap.Canvas().TextOut(2, 2, "Gezond worden");
    const QImage& image = QtImage(bitmap);
    // Glyphs drawn at the device's resolution have ink on odd device columns and rows too.
    bool oddInk = false;
    for (int y = 1; y < image.height() && !oddInk; y += 2)
        for (int x = 1; x < image.width() && !oddInk; x += 2)
            oddInk = image.pixel(x, y) != image.pixel(x - 1, y - 1);
    EXPECT_TRUE(oddInk);
}

} // namespace
} // namespace orvalis
