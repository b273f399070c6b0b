#include "controls/background.h"
#include "controls/bitmap_drawing.h"
#include "platform/bitmap.h"
#include "platform/icon.h"
#include "platform/qt_image.h"
#include "platform/recording_canvas.h"
#include "platform/screen.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

using Texts = std::vector<std::string>;

TBackground WithPicture(int w, int h, TImageDrawStyle style) {
    TBackground b;
    const TBitmap picture(w, h);
    b.Image().SetGraphic(&picture);
    b.SetImageDrawStyle(style);
    return b;
}

// The picture calls only, without the stretch-mode and palette calls around them.
Texts PictureCalls(const RecordingCanvas& c) {
    Texts out;
    for (const std::string& t : c.CallTexts())
        if (t.rfind("CopyRect", 0) == 0 || t.rfind("Draw", 0) == 0 || t.rfind("StretchDraw", 0) == 0)
            out.push_back(t);
    return out;
}

TEST(PaintBackground, EveryDrawStyle_PlacesThePictureAndThenTheRectangle) {
    struct Case {
        TImageDrawStyle Style;
        int W, H, PW, PH, DX, DY;
        Texts Expected;
    };
    const Case cases[] = {
        // Column by column from the offset; the strip left of and above it gets no picture.
        {TImageDrawStyle::idsAlongside,
         25,
         15,
         10,
         10,
         3,
         4,
         {"CopyRect(3,4,13,14,bitmap 10x10,0,0,10,10,cmSrcCopy)",
          "CopyRect(3,14,13,24,bitmap 10x10,0,0,10,10,cmSrcCopy)",
          "CopyRect(13,4,23,14,bitmap 10x10,0,0,10,10,cmSrcCopy)",
          "CopyRect(13,14,23,24,bitmap 10x10,0,0,10,10,cmSrcCopy)",
          "CopyRect(23,4,33,14,bitmap 10x10,0,0,10,10,cmSrcCopy)",
          "CopyRect(23,14,33,24,bitmap 10x10,0,0,10,10,cmSrcCopy)"}},
        // Negative offsets start left of and above the area.
        {TImageDrawStyle::idsAlongside,
         10,
         5,
         8,
         8,
         -6,
         -3,
         {"CopyRect(-6,-3,2,5,bitmap 8x8,0,0,8,8,cmSrcCopy)",
          "CopyRect(2,-3,10,5,bitmap 8x8,0,0,8,8,cmSrcCopy)"}},
        // A picture larger than the area: negative coordinates, halves rounded toward zero.
        {TImageDrawStyle::idsCenter,
         21,
         10,
         30,
         21,
         0,
         0,
         {"CopyRect(-4,-5,26,16,bitmap 30x21,0,0,30,21,cmSrcCopy)"}},
        {TImageDrawStyle::idsCenter,
         40,
         30,
         10,
         10,
         2,
         1,
         {"CopyRect(17,11,27,21,bitmap 10x10,0,0,10,10,cmSrcCopy)"}},
        {TImageDrawStyle::idsHide, 40, 30, 10, 10, 0, 0, {}},
        // Stretched to W - 1 by H - 1.
        {TImageDrawStyle::idsStretch,
         40,
         30,
         10,
         10,
         2,
         3,
         {"CopyRect(2,3,41,32,bitmap 10x10,0,0,10,10,cmSrcCopy)"}},
        {TImageDrawStyle::idsTopLeft,
         40,
         30,
         10,
         10,
         5,
         6,
         {"CopyRect(5,6,15,16,bitmap 10x10,0,0,10,10,cmSrcCopy)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Style));
        RecordingCanvas canvas;
        TBackground b = WithPicture(c.PW, c.PH, c.Style);
        b.Pen().SetColor(clRed);
        b.Brush().SetStyle(TBrushStyle::bsClear);
        PaintBackground(canvas, c.W, c.H, b, c.DX, c.DY, nullptr);
        EXPECT_EQ(PictureCalls(canvas), c.Expected);
        const TCanvasCall& last = canvas.Calls().back();
        EXPECT_EQ(last.Text, "Rectangle(0,0," + std::to_string(c.W) + "," + std::to_string(c.H) + ")");
        EXPECT_EQ(last.Pen.Color(), clRed);
        EXPECT_EQ(last.Brush.Style(), TBrushStyle::bsClear);
        if (!c.Expected.empty()) {
            EXPECT_EQ(canvas.StretchMode(), TStretchMode::smColorOnColor);
        }
    }
}

TEST(PaintBackground, WithoutPicture_DrawsOnlyTheRectangle) {
    RecordingCanvas canvas;
    TScreenOverride screen({.BitsPerPixel = 8});
    int palette = 1;
    PaintBackground(canvas, 7, 9, TBackground(), 0, 0, reinterpret_cast<const TPalette*>(&palette));
    EXPECT_EQ(canvas.CallTexts(), (Texts{"Rectangle(0,0,7,9)"}));
    EXPECT_EQ(canvas.Calls()[0].Brush.Color(), clWhite);
}

TEST(PaintBackground, SharedPalette_IsSelectedOnlyAtEightBitsOrFewerForAControlWithAPalette) {
    const TPalette own({clBlack});
    struct Case {
        int Bits;
        const TPalette* ControlPalette;
        Texts Expected;
    };
    const Case cases[] = {
        {8, &own, {"SelectPalette(256)", "RealizePalette()", "SelectPalette(none)"}},
        {4, &own, {"SelectPalette(16)", "RealizePalette()", "SelectPalette(none)"}},
        {8, nullptr, {}},
        {24, &own, {}},
    };
    for (const Case& c : cases) {
        TScreenOverride screen({.BitsPerPixel = c.Bits});
        RecordingCanvas canvas;
        PaintBackground(canvas, 10, 10, WithPicture(4, 4, TImageDrawStyle::idsTopLeft), 0, 0,
                        c.ControlPalette);
        Texts palette;
        for (const std::string& t : canvas.CallTexts())
            if (t.find("Palette") != std::string::npos)
                palette.push_back(t);
        EXPECT_EQ(palette, c.Expected) << c.Bits;
        EXPECT_EQ(canvas.CallTexts().back().rfind("SelectPalette", 0) == 0, !c.Expected.empty())
            << "the previous palette comes back after the rectangle";
    }
}

TEST(PaintBackground, SolidBrush_CoversThePicture) {
    TBitmap target(20, 20, clBlack);
    TBitmap picture(20, 20, clRed);
    TBackground b;
    b.Image().SetGraphic(&picture);
    b.SetImageDrawStyle(TImageDrawStyle::idsTopLeft);
    b.Pen().SetStyle(TPenStyle::psClear);
    b.Brush().SetColor(clBlue);
    PaintBackground(target.Canvas(), 20, 20, b, 0, 0, nullptr);
    EXPECT_EQ(target.Pixel(10, 10), clBlue);
    b.Brush().SetStyle(TBrushStyle::bsClear);
    PaintBackground(target.Canvas(), 20, 20, b, 0, 0, nullptr);
    EXPECT_EQ(target.Pixel(10, 10), clRed);
}

TEST(BitmapDrawing, OtherGraphicsAndMissingOnes) {
    RecordingCanvas canvas;
    TIcon icon;
    MutableQtImage(icon) = QImage(6, 4, QImage::Format_ARGB32_Premultiplied);
    DrawBitmapAt(&canvas, 1, 2, &icon);
    StretchBitmapInto(&canvas, 1, 2, 30, 20, &icon);
    const TBitmap empty;
    DrawBitmapAt(&canvas, 0, 0, &empty);
    DrawBitmapAt(&canvas, 0, 0, nullptr);
    DrawBitmapAt(nullptr, 0, 0, &icon);
    EXPECT_EQ(canvas.CallTexts(),
              (Texts{"SetStretchMode(smColorOnColor)", "Draw(1,2,icon 6x4)", "SetStretchMode(smColorOnColor)",
                     "StretchDraw(1,2,31,22,icon 6x4)"}));
}

TEST(Background, Assign_CopiesEverythingAndReportsOnlyTheDrawStyle) {
    int changes = 0;
    TBackground target;
    target.OnChange = [&](TObject*) { ++changes; };
    TBackground source = WithPicture(3, 3, TImageDrawStyle::idsAlongside);
    source.Pen().SetWidth(2);
    source.Brush().SetColor(clYellow);
    target = source;
    EXPECT_EQ(changes, 0) << "the draw style was the same";
    EXPECT_EQ(target.Pen().Width(), 2);
    EXPECT_EQ(target.Brush().Color(), clYellow);
    ASSERT_TRUE(target.Image().HasGraphic());
    EXPECT_NE(target.Image().Graphic(), source.Image().Graphic());
    source.SetImageDrawStyle(TImageDrawStyle::idsStretch);
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.ImageDrawStyle(), TImageDrawStyle::idsStretch);
}

} // namespace
} // namespace orvalis
