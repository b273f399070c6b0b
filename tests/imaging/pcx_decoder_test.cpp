#include "imaging/pcx_decoder.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

std::vector<uint8_t> Header(int width, int height, int bits, int planes, int bytesPerLine) {
    std::vector<uint8_t> h(128, 0);
    h[0] = 0x0A;
    h[1] = 5;
    h[2] = 1;
    h[3] = uint8_t(bits);
    h[8] = uint8_t(width - 1);
    h[9] = uint8_t((width - 1) >> 8);
    h[10] = uint8_t(height - 1);
    h[11] = uint8_t((height - 1) >> 8);
    h[65] = uint8_t(planes);
    h[66] = uint8_t(bytesPerLine);
    return h;
}

TEST(PcxDecoder, SixteenColors_CombinesTheFourBitPlanes) {
    auto data = Header(8, 1, 1, 4, 1);
    data[16 + 3 * 5] = 200; // palette entry 5, red
    // Planes 0 and 2 set for the first pixel only: index 5; plane 3 for the last: index 8.
    data.insert(data.end(), {0x80, 0x00, 0x80, 0x01});
    TPcxImage image;
    std::string error;
    ASSERT_TRUE(DecodePcx(data, image, error)) << error;
    EXPECT_EQ(image.Indices, (std::vector<uint8_t>{5, 0, 0, 0, 0, 0, 0, 8}));
    EXPECT_EQ(image.Palette[15], 200);
}

TEST(PcxDecoder, TrueColorAndMonochrome_Decode) {
    auto rgb = Header(2, 1, 8, 3, 2);
    rgb.insert(rgb.end(), {0xC2, 10, 20, 30, 0xC2, 40});
    TPcxImage image;
    std::string error;
    ASSERT_TRUE(DecodePcx(rgb, image, error)) << error;
    EXPECT_FALSE(image.Indexed);
    EXPECT_EQ(image.Rgb, (std::vector<uint8_t>{10, 20, 40, 10, 30, 40}));

    auto mono = Header(3, 2, 1, 1, 2);
    mono.insert(mono.end(), {0xA0, 0x00, 0xC2, 0x40});
    ASSERT_TRUE(DecodePcx(mono, image, error)) << error;
    EXPECT_EQ(image.Indices, (std::vector<uint8_t>{1, 0, 1, 0, 1, 0}));
}

TEST(PcxDecoder, DamagedFiles_FailWithAMessage) {
    TPcxImage image;
    std::string error;
    auto truncated = Header(4, 4, 8, 1, 4);
    truncated.insert(truncated.end(), {0xC4, 1, 0xC4});
    EXPECT_FALSE(DecodePcx(truncated, image, error));
    EXPECT_EQ(error, "The PCX file is truncated.");

    auto noPalette = Header(1, 1, 8, 1, 1);
    noPalette.push_back(7);
    EXPECT_FALSE(DecodePcx(noPalette, image, error));

    auto huge = Header(1, 1, 8, 1, 1);
    huge[8] = huge[9] = huge[10] = huge[11] = 0xFF;
    EXPECT_FALSE(DecodePcx(huge, image, error)) << "65536 x 65536 is refused before any allocation";

    auto shortLines = Header(40, 1, 8, 1, 4);
    EXPECT_FALSE(DecodePcx(shortLines, image, error)) << "lines shorter than the width";

    auto strange = Header(2, 2, 2, 1, 1);
    EXPECT_FALSE(DecodePcx(strange, image, error));
    EXPECT_FALSE(DecodePcx({0x0A, 5, 1}, image, error));
}

// Regression: a header declaring 16384 x 16384 pixels made the decoder allocate the whole picture before
// reading any data, 800 MB for a file of 128 bytes.
TEST(PcxDecoder, HugeDeclaredSize_RefusedBeforeAllocating) {
    TPcxImage image;
    std::string error;
    auto header = Header(16384, 16384, 8, 3, 16384);
    header[66] = 0;
    header[67] = 0x40; // 16384 bytes a line
    EXPECT_FALSE(DecodePcx(header, image, error));
    EXPECT_EQ(error, "The picture is too large.") << "over the pixel limit of every format";

    // Within the limit, but no file of this size can fill the lines it declares.
    for (const bool encoded : {true, false}) {
        auto within = Header(4096, 4096, 8, 1, 4096);
        within[66] = 0;
        within[67] = 0x10;
        within[2] = encoded ? 1 : 0;
        within.resize(within.size() + 100 * 1024, 0xC1);
        EXPECT_FALSE(DecodePcx(within, image, error));
        EXPECT_EQ(error, "The PCX file is truncated.");
        EXPECT_TRUE(image.Indices.empty());
    }

    // The least data that fills the lines still decodes: one run of 63 and a single byte for 64 bytes.
    auto exact = Header(64, 2, 8, 1, 64);
    for (int line = 0; line < 2; ++line)
        exact.insert(exact.end(), {0xFF, 9, 9});
    exact.push_back(0x0C);
    exact.resize(exact.size() + 768, 0);
    EXPECT_TRUE(DecodePcx(exact, image, error)) << error;
}

TEST(PcxDecoder, RunAcrossTheEndOfALine_IsCutThere) {
    auto data = Header(2, 2, 8, 1, 2);
    data.insert(data.end(), {0xC3, 9, 4, 4});
    data.push_back(0x0C);
    data.insert(data.end(), 768, 0);
    TPcxImage image;
    std::string error;
    ASSERT_TRUE(DecodePcx(data, image, error)) << error;
    EXPECT_EQ(image.Indices, (std::vector<uint8_t>{9, 9, 4, 4}));
}

} // namespace
} // namespace orvalis
