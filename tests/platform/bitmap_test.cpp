#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/qt_image.h"

#include <QFile>
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

// The lines of this process's memory map that name one of Qt's image plugins.
int ImagePluginsLoaded() {
    QFile maps("/proc/self/maps");
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    return int(maps.readAll().count("imageformats/"));
}

TEST(Bitmap, LoadFromFile_ReadsByFormatSuffixOrContentWithoutLoadingImagePlugins) {
    // A yellow 3x2 PNG, written without Qt's image writers, which load the plugins themselves.
    static const char png[] = "\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR\x00\x00\x00\x03\x00\x00\x00\x02\x08\x02\x00\x00"
                              "\x00\x12\x16\xF1\x4D\x00\x00\x00\x10IDAT\x78\x9C\x63\xF8\xFF\x9F\x01\x82\x18\xE0\x2C"
                              "\x00\x7D\x96\x0B\xF5\x10\x9A\xFD\xB7\x00\x00\x00\x00IEND\xAE\x42\x60\x82";
    QTemporaryDir dir;
    QFile file(dir.filePath("a.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(png, sizeof png - 1);
    file.close();
    ASSERT_TRUE(QFile::copy(dir.filePath("a.png"), dir.filePath("plain")));
    ASSERT_TRUE(QFile::copy(dir.filePath("a.png"), dir.filePath("named.bmp")));
    TBitmap b;
    EXPECT_TRUE(b.LoadFromFile(dir.filePath("a.png").toStdString()));
    EXPECT_TRUE(b.LoadFromFile(dir.filePath("plain").toStdString(), "png"));
    EXPECT_EQ(ImagePluginsLoaded(), 0) << "PNG and BMP need no plugin, and no other is asked";

    EXPECT_FALSE(b.LoadFromFile(dir.filePath("plain").toStdString(), "bmp")) << "a format given is the only one";
    // Without a suffix, or with a wrong one, the content decides.
    b = TBitmap();
    EXPECT_TRUE(b.LoadFromFile(dir.filePath("plain").toStdString()));
    EXPECT_EQ(b.Pixel(1, 1), clYellow);
    b = TBitmap();
    EXPECT_TRUE(b.LoadFromFile(dir.filePath("named.bmp").toStdString()));
    EXPECT_EQ(b.Width(), 3);
}

} // namespace
} // namespace orvalis
