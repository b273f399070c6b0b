#include "imaging/pmulti_image.h"
#include "picture_files.h"
#include "platform/bitmap.h"
#include "platform/icon.h"
#include "platform/message_boxes.h"
#include "platform/screen.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace orvalis {
namespace {

using test::EncodeGif;
using test::EncodePcx8;
using test::ReadFileBytes;
using test::WriteFile;
using TKind = RecordingMessageBoxes::TKind;

// Left half red, right half blue, 8 x 6.
QImage TwoColors() {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 6; ++y)
        for (int x = 4; x < 8; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

struct Format {
    const char* Extension;
    const char* FailureName;
};
const Format Formats[] = {{".bmp", "bmp"}, {".jpg", "jpg"}, {".gif", "gif"},
                          {".pcx", "pcx"}, {".png", "png"}, {".tif", "tif"}};

class PMultiImageTest : public testing::Test {
protected:
    std::string Make(const std::string& ext, const std::string& name = "pic") {
        const std::string path = FDir.filePath(QString::fromStdString(name)).toStdString();
        const QImage image = TwoColors();
        if (ext == ".gif")
            WriteFile(path, EncodeGif(image));
        else if (ext == ".pcx")
            WriteFile(path, EncodePcx8(image));
        else
            EXPECT_TRUE(image.save(QString::fromStdString(path), ext == ".jpg"   ? "JPEG"
                                                                 : ext == ".tif" ? "TIFF"
                                                                                 : ext.substr(1).c_str()));
        return path;
    }
    bool Near(TColor a, TColor b) {
        return std::abs(a.R - b.R) < 40 && std::abs(a.G - b.G) < 40 && std::abs(a.B - b.B) < 40;
    }
    void ExpectFailure(const std::string& formatName) {
        ASSERT_EQ(FBoxes.Entries().size(), 2u);
        EXPECT_EQ(FBoxes.Entries()[0].Kind, TKind::Error);
        EXPECT_FALSE(FBoxes.Entries()[0].Text.empty());
        EXPECT_EQ(FBoxes.Entries()[1].Kind, TKind::Information);
        EXPECT_EQ(FBoxes.Entries()[1].Text, "Reading " + formatName + " file failed");
        EXPECT_FALSE(FImage.Picture().HasGraphic());
        FBoxes.Clear();
    }

    QTemporaryDir FDir;
    RecordingMessageBoxes FBoxes;
    TMessageBoxesOverride FOverride{FBoxes};
    TPMultiImage FImage;
};

TEST_F(PMultiImageTest, EveryFormat_LoadsByExtensionAndByContent) {
    FImage.SetImageReadRes(TLoadResolution::lColorTrue);
    for (const Format& f : Formats) {
        SCOPED_TRACE(f.Extension);
        const std::string stem = std::string("pic") + f.Extension;
        const std::string path = Make(f.Extension, stem);
        // The same bytes without an extension, with a bare dot and with an unknown one.
        for (const std::string& name : {path, path + "x", path + ".", path + ".dat"}) {
            if (name != path)
                WriteFile(name, ReadFileBytes(path));
            FImage.SetImageName(name);
            const TBitmap* bitmap = FImage.Picture().Bitmap();
            ASSERT_NE(bitmap, nullptr) << name;
            EXPECT_EQ(bitmap->Width(), 8);
            EXPECT_EQ(bitmap->Height(), 6);
            EXPECT_TRUE(Near(bitmap->Pixel(1, 1), clRed)) << bitmap->Pixel(1, 1).Hex();
            EXPECT_TRUE(Near(bitmap->Pixel(6, 4), clBlue)) << bitmap->Pixel(6, 4).Hex();
        }
    }
    EXPECT_TRUE(FBoxes.Entries().empty());
}

TEST_F(PMultiImageTest, TruncatedOrDamagedFile_ReportsAndLeavesThePictureEmpty) {
    for (const Format& f : Formats) {
        SCOPED_TRACE(f.Extension);
        const std::string path = Make(f.Extension, std::string("whole") + f.Extension);
        const std::vector<uint8_t> bytes = ReadFileBytes(path);

        std::vector<uint8_t> half(bytes.begin(), bytes.begin() + long(bytes.size() / 2));
        const std::string cut = FDir.filePath(QString("cut") + f.Extension).toStdString();
        WriteFile(cut, half);
        FImage.SetImageName(path);
        ASSERT_TRUE(FImage.Picture().HasGraphic());
        FImage.SetImageName(cut);
        ExpectFailure(f.FailureName);

        // The format's mark kept, everything after it garbage.
        std::vector<uint8_t> damaged = bytes;
        for (size_t i = 4; i < damaged.size(); ++i)
            damaged[i] = uint8_t(i * 37 + 11);
        const std::string bad = FDir.filePath(QString("bad") + f.Extension).toStdString();
        WriteFile(bad, damaged);
        FImage.SetImageName(bad);
        ExpectFailure(f.FailureName);
    }
}

TEST_F(PMultiImageTest, MissingFileOrEmptyName_EmptiesThePictureSilently) {
    FImage.SetImageName(Make(".png", "a.png"));
    ASSERT_TRUE(FImage.Picture().HasGraphic());
    FImage.SetImageName(FDir.filePath("nothing.png").toStdString());
    EXPECT_FALSE(FImage.Picture().HasGraphic());
    FImage.SetImageName(Make(".png", "a.png"));
    FImage.SetImageName("");
    EXPECT_FALSE(FImage.Picture().HasGraphic());
    EXPECT_TRUE(FBoxes.Entries().empty());
}

TEST_F(PMultiImageTest, UnknownContent_WithoutExtension_Fails) {
    const std::string path = FDir.filePath("text").toStdString();
    WriteFile(path, {'h', 'e', 'l', 'l', 'o'});
    FImage.SetImageName(path);
    ExpectFailure("image");
}

TEST_F(PMultiImageTest, BackslashNames_AreFolderSeparators) {
    ASSERT_TRUE(QDir(FDir.path()).mkpath("I/B"));
    Make(".bmp", "I/B/i8x6");
    FImage.SetImageName(FDir.path().toStdString() + "\\I\\B\\i8x6");
    EXPECT_TRUE(FImage.Picture().HasGraphic());
}

TEST_F(PMultiImageTest, ReadResolution_SetsDepthAndPalette) {
    const std::string path = Make(".png", "d.png");
    struct Case {
        TLoadResolution Res;
        int ScreenBits;
        TPixelFormat Format;
        size_t PaletteSize;
    };
    const Case cases[] = {
        {TLoadResolution::lMonoChrome, 32, TPixelFormat::pf1bit, 2},
        {TLoadResolution::lColor16, 32, TPixelFormat::pf4bit, 16},
        {TLoadResolution::lColor256, 32, TPixelFormat::pf4bit, 2}, // two colours need no larger table
        {TLoadResolution::lColorTrue, 8, TPixelFormat::pf24bit, 0},
        {TLoadResolution::lAutoMatic, 4, TPixelFormat::pf4bit, 16},
        {TLoadResolution::lAutoMatic, 15, TPixelFormat::pf4bit, 2},
        {TLoadResolution::lAutoMatic, 16, TPixelFormat::pf24bit, 0},
    };
    for (const Case& c : cases) {
        TScreenOverride screen({.BitsPerPixel = c.ScreenBits});
        FImage.SetImageReadRes(c.Res);
        FImage.SetImageName(path);
        const TBitmap* b = FImage.Picture().Bitmap();
        ASSERT_NE(b, nullptr);
        SCOPED_TRACE(int(c.Res));
        EXPECT_EQ(b->PixelFormat(), c.Format);
        EXPECT_EQ(b->Palette() ? b->Palette()->Count() : 0u, c.PaletteSize);
    }
    FImage.SetImageReadRes(TLoadResolution::lAutoMatic);
    TScreenOverride screen({.BitsPerPixel = 8});
    EXPECT_EQ(FImage.TargetBits(), 8);
}

// Unlike lAutoMatic, which gives 4 bits only to screens of at most 4, screens of 5 to 7 bits get 16 colours.
TEST_F(PMultiImageTest, SetColorsForScreen_DithersToThePaletteDepthsBelowSixteenBits) {
    const std::tuple<int, TLoadResolution, bool> cases[] = {
        {1, TLoadResolution::lColor16, true},     {4, TLoadResolution::lColor16, true},
        {7, TLoadResolution::lColor16, true},     {8, TLoadResolution::lColor256, true},
        {15, TLoadResolution::lColor256, true},   {16, TLoadResolution::lColorTrue, false},
        {32, TLoadResolution::lColorTrue, false},
    };
    for (const auto& [bits, res, dither] : cases) {
        FImage.SetColorsForScreen(bits);
        EXPECT_EQ(FImage.ImageReadRes(), res) << bits;
        EXPECT_EQ(FImage.ImageDither(), dither) << bits;
    }
}

TEST_F(PMultiImageTest, Dither_MixesColorsForTonesThePaletteLacks) {
    QImage gray(16, 16, QImage::Format_RGB32);
    gray.fill(qRgb(128, 128, 128));
    const std::string path = FDir.filePath("grey.png").toStdString();
    ASSERT_TRUE(gray.save(QString::fromStdString(path)));
    FImage.SetImageReadRes(TLoadResolution::lMonoChrome);
    auto distinct = [&] {
        std::set<uint32_t> colors;
        const TBitmap* b = FImage.Picture().Bitmap();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                colors.insert(b->Pixel(x, y).Rgb());
        return colors.size();
    };
    FImage.SetImageDither(false);
    FImage.SetImageName(path);
    EXPECT_EQ(distinct(), 1u);
    FImage.SetImageDither(true);
    FImage.SetImageName(path);
    EXPECT_EQ(distinct(), 2u);
}

TEST_F(PMultiImageTest, IconAndMetafile_GoThroughThePlatformLoader) {
    const std::string ico = FDir.filePath("a.ico").toStdString();
    ASSERT_TRUE(TwoColors().save(QString::fromStdString(ico), "ICO"));
    FImage.SetImageName(ico);
    ASSERT_NE(dynamic_cast<const TIcon*>(FImage.Picture().Graphic()), nullptr);
    EXPECT_EQ(FImage.Picture().Width(), 8);

    const std::string wmf = FDir.filePath("a.WMF").toStdString();
    WriteFile(wmf, {0xD7, 0xCD, 0xC6, 0x9A, 0, 0});
    FImage.SetImageName(wmf);
    ExpectFailure("wmf");
}

TEST_F(PMultiImageTest, MissingResource_FailsAsAResource) {
    FImage.SetImageName("NoSuchBitmap.RES");
    ExpectFailure("resource");
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

// On a scaled screen a picture with a doubled file beside it is read from that file, at the logical size of
// the single one; a doubled file that does not read, or a screen that does not scale, takes the single one.
TEST_F(PMultiImageTest, ScaledScreen_ReadsThePictureDrawnAtTwiceItsPixels) {
    FImage.SetImageReadRes(TLoadResolution::lColorTrue);
    const std::string single = Make(".png", "leaf.png");
    QImage doubled(16, 12, QImage::Format_RGB32);
    doubled.fill(Qt::green);
    ASSERT_TRUE(doubled.save(FDir.filePath("leaf@2x.png"), "PNG"));

    struct Case {
        double Ratio;
        bool Damaged;
        bool Doubled;
    };
    for (const Case& c :
         {Case{1.0, false, false}, Case{2.0, false, true}, Case{1.5, false, true}, Case{2.0, true, false}}) {
        SCOPED_TRACE(c.Ratio);
        if (c.Damaged)
            WriteFile(FDir.filePath("leaf@2x.png").toStdString(), {0x89, 'P', 'N', 'G'});
        TScreenOverride screen({.DevicePixelRatio = c.Ratio});
        FImage.SetImageName(single);
        const TBitmap* bitmap = FImage.Picture().Bitmap();
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->Width(), 8) << "logical pixels either way";
        EXPECT_EQ(bitmap->Height(), 6);
        EXPECT_EQ(Near(bitmap->Pixel(1, 1), clLime), c.Doubled) << bitmap->Pixel(1, 1).Hex();
    }
    EXPECT_TRUE(FBoxes.Entries().empty()) << "a doubled file that does not read is not reported";
}

} // namespace
} // namespace orvalis
