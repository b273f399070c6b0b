#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/qt_image.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

TBitmap Indexed(const TPalette& palette) {
    QImage image(4, 4, QImage::Format_Indexed8);
    image.setColorTable(ToColorTable(palette));
    image.fill(1);
    TBitmap b;
    b.TakeImage(TImageData{image}, TPixelFormat::pf8bit);
    return b;
}

TEST(Bitmap, Copy_IsIndependentOfTheOriginal) {
    TBitmap a(4, 4, clWhite);
    TBitmap b(a);
    a.Canvas().Brush().SetColor(clRed);
    a.Canvas().FillRect({0, 0, 4, 4});
    EXPECT_EQ(a.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(1, 1), clWhite);
    b = a;
    EXPECT_EQ(b.Pixel(1, 1), clRed);
}

TEST(Bitmap, IndexedBitmap_KeepsItsPaletteWhenDrawnOn) {
    const TPalette palette({clBlack, clBlue});
    TBitmap b = Indexed(palette);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
    ASSERT_TRUE(b.Palette());
    EXPECT_EQ(*b.Palette(), palette);
    EXPECT_EQ(b.Pixel(0, 0), clBlue);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect({0, 0, 1, 1});
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(b.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(1, 1), clBlue);
    ASSERT_TRUE(b.Palette());
}

TEST(Bitmap, SaveAndLoad_RoundTripsPixelsAndRejectsDamagedFiles) {
    QTemporaryDir dir;
    const std::string png = dir.filePath("a.png").toStdString();
    TBitmap a(3, 2, clYellow);
    a.Canvas().Brush().SetColor(clBlue);
    a.Canvas().FillRect({2, 1, 3, 2});
    ASSERT_TRUE(a.SaveToFile(png));
    TBitmap b;
    ASSERT_TRUE(b.LoadFromFile(png));
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Pixel(0, 0), clYellow);
    EXPECT_EQ(b.Pixel(2, 1), clBlue);

    const char junk[] = "BM not really a bitmap";
    EXPECT_FALSE(b.LoadFromMemory(junk, sizeof junk));
    EXPECT_FALSE(b.LoadFromFile(dir.filePath("missing.bmp").toStdString()));
    EXPECT_EQ(b.Width(), 3) << "a failed load keeps the old picture";
}

} // namespace
} // namespace orvalis
