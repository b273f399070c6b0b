#include "controls/proportional_image.h"
#include "platform/bitmap.h"
#include "platform/recording_canvas.h"
#include "platform/screen.h"

#include <gtest/gtest.h>

#include <optional>

namespace orvalis {
namespace {

constexpr TColor Green = TColor::FromRgb(0x8CB19C);
constexpr TColor Red = TColor::FromRgb(0xC02020);

TPicture PictureOf(int width, int height, TColor colour = Red) {
    TBitmap bitmap(width, height, colour);
    TPicture picture;
    picture.SetGraphic(&bitmap);
    return picture;
}

// A control on a plain green background without frame.
struct TImageFixture {
    explicit TImageFixture(int width = 100, int height = 100) {
        Image.SetBounds(0, 0, width, height);
        Image.Background().Brush().SetColor(Green);
        Image.Background().Pen().SetStyle(TPenStyle::psClear);
    }
    // What the control shows, painted into a bitmap of its size.
    TBitmap Painted() {
        TBitmap screen(Image.Width(), Image.Height(), clWhite);
        Image.Paint(screen.Canvas());
        return screen;
    }
    TProportionalImage Image;
};

struct TFitCase {
    const char* Name;
    int Width, Height;      // the control
    int PictureW, PictureH; // the picture
    int Sx, Sy;
    bool SxIsStatic, SyIsStatic;
    int StaticSx, StaticSy;
    std::optional<TRect> Expected;
};

TEST(ProportionalImage, PictureRect_FitsTheBoxKeepsProportionsAndCentres) {
    const TFitCase cases[] = {
        {"wide fills the width, centred vertically", 100, 100, 200, 100, 100, 100, false, false, 0, 0,
         Bounds(0, 25, 100, 50)},
        {"tall fills the height, centred horizontally (halved toward zero)", 100, 100, 50, 200, 100, 100,
         false, false, 0, 0, Bounds(37, 0, 25, 100)},
        {"the default box is 90 percent", 100, 100, 100, 100, 90, 90, false, false, 0, 0,
         Bounds(5, 5, 90, 90)},
        {"box sides round halves to even", 10, 10, 1, 1, 25, 25, false, false, 0, 0, Bounds(4, 4, 2, 2)},
        {"proportional height rounds halves to even", 100, 100, 8, 1, 100, 100, false, false, 0, 0,
         Bounds(0, 44, 100, 12)},
        {"a static width takes the static box's width", 100, 100, 200, 100, 100, 100, true, false, 50, 100,
         Bounds(25, 25, 50, 50)},
        {"a static height takes the static box's height", 100, 100, 200, 100, 100, 100, false, true, 100, 20,
         Bounds(0, 40, 100, 20)},
        {"no picture", 100, 100, 0, 0, 100, 100, false, false, 0, 0, std::nullopt},
        {"a picture without width", 100, 100, 0, 10, 100, 100, false, false, 0, 0, std::nullopt},
        {"a picture without height", 100, 100, 10, 0, 100, 100, false, false, 0, 0, std::nullopt},
    };
    for (const TFitCase& c : cases) {
        TProportionalImage image;
        image.SetBounds(0, 0, c.Width, c.Height);
        if (c.PictureW > 0 || c.PictureH > 0)
            image.SetImage(PictureOf(c.PictureW, c.PictureH));
        image.SetSx(c.Sx);
        image.SetSy(c.Sy);
        image.SetSxIsStatic(c.SxIsStatic);
        image.SetSyIsStatic(c.SyIsStatic);
        image.SetStaticSx(c.StaticSx);
        image.SetStaticSy(c.StaticSy);
        EXPECT_EQ(image.PictureRect(c.Width, c.Height), c.Expected) << c.Name;
    }
}

TEST(ProportionalImage, Paint_StretchesThePictureOverTheBackground) {
    TImageFixture f(100, 80);
    f.Image.SetSx(100);
    f.Image.SetSy(100);
    f.Image.SetImage(PictureOf(20, 10));
    const TBitmap shown = f.Painted();
    EXPECT_EQ(shown.Pixel(50, 40), Red);
    EXPECT_EQ(shown.Pixel(0, 14), Green) << "above the picture, which is 100x50 from y 15";
    EXPECT_EQ(shown.Pixel(0, 15), Red);
    EXPECT_EQ(shown.Pixel(99, 64), Red);
    EXPECT_EQ(shown.Pixel(99, 65), Green);
}

TEST(ProportionalImage, Paint_WithoutAUsablePictureOrTextLeavesTheBackground) {
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{0, 20}, std::pair{20, 0}}) {
        TImageFixture f(40, 30);
        if (w || h)
            f.Image.SetImage(PictureOf(w, h));
        f.Image.SetText("");
        const TBitmap shown = f.Painted();
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(shown.Pixel(x, y), Green) << x << "," << y;
    }
}

// The caption sits in a white box with a black frame at the bottom, as high as the font's size in points
// on the screen plus 4: Arial of 20 pixels is 15 points, 20 pixels at 96 pixels per inch.
TEST(ProportionalImage, Paint_TextGetsAWhiteBoxAtTheBottom) {
    TScreenOverride screen({.PixelsPerInch = 96});
    TImageFixture f(200, 100);
    TFont font = f.Image.Font();
    font.SetName("Arial");
    font.SetHeight(-20);
    font.SetColor(clWhite);
    f.Image.SetFont(font);
    f.Image.SetText("Acne");
    const TBitmap shown = f.Painted();
    EXPECT_EQ(shown.Pixel(100, 100 - 24 - 1), Green) << "above the box";
    EXPECT_EQ(shown.Pixel(100, 100 - 24), clBlack) << "the box's top edge";
    EXPECT_EQ(shown.Pixel(2, 90), Green) << "the box is only as wide as the text";
    int white = 0, black = 0;
    for (int y = 77; y < 99; ++y)
        for (int x = 0; x < 200; ++x) {
            const TColor c = shown.Pixel(x, y);
            white += c == clWhite;
            black += c.R < 80 && c.G < 80 && c.B < 80;
        }
    EXPECT_GT(white, 100);
    EXPECT_GT(black, 60) << "a black frame and the caption in black, whatever the font's colour";
}

TEST(ProportionalImage, Transfer_OneBlockTransferWithTheRasterOperation) {
    TImageFixture f(30, 20);
    RecordingCanvas canvas;
    f.Image.Paint(canvas);
    EXPECT_EQ(canvas.CallsNamed("CopyRect"),
              (std::vector<std::string>{"CopyRect(0,0,30,20,bitmap 30x20,0,0,30,20,cmSrcCopy)"}));
    canvas.Clear();
    f.Image.SetRasterOperation(TRasterOperation::roSRCINVERT);
    f.Image.Paint(canvas);
    EXPECT_EQ(canvas.CallsNamed("CopyRect"),
              (std::vector<std::string>{"CopyRect(0,0,30,20,bitmap 30x20,0,0,30,20,cmSrcInvert)"}));
}

// A new picture is revealed block by block once; later paints copy it at once. Without effects a new
// picture shows at once too.
TEST(ProportionalImage, Effects_RunOncePerNewPicture) {
    TImageFixture f(30, 20);
    f.Image.SetEffectSize(10);
    f.Image.SetEffect(EffectStyle::esExplode);
    f.Image.SetImage(PictureOf(3, 2));
    ASSERT_TRUE(f.Image.NewImage());
    RecordingCanvas canvas;
    f.Image.Paint(canvas);
    EXPECT_EQ(canvas.CallsNamed("CopyRect").size(), 1u) << "effects are off by default";
    EXPECT_FALSE(f.Image.NewImage());

    f.Image.SetEffects(true);
    f.Image.SetText("x");
    canvas.Clear();
    f.Image.Paint(canvas);
    EXPECT_GT(canvas.CallsNamed("CopyRect").size(), 4u) << "the new text is revealed by blocks";
    EXPECT_FALSE(f.Image.NewImage());
    canvas.Clear();
    f.Image.Paint(canvas);
    EXPECT_EQ(canvas.CallsNamed("CopyRect").size(), 1u) << "painted again, it is copied at once";
}

} // namespace
} // namespace orvalis
