#include "imaging/image_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace orvalis {
namespace {

// A BMP file header and info header for width x height at `bits` per pixel, pixels from offset 54, and
// `pixelBytes` bytes of pixel data.
std::vector<uint8_t> Bmp(int32_t width, int32_t height, uint16_t bits, size_t pixelBytes) {
    std::vector<uint8_t> d(54 + pixelBytes, 0);
    const auto put32 = [&d](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            d[at + i] = uint8_t(v >> (8 * i));
    };
    d[0] = 'B';
    d[1] = 'M';
    put32(2, uint32_t(d.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    d[26] = 1;
    d[28] = uint8_t(bits);
    d[29] = uint8_t(bits >> 8);
    return d;
}

TEST(ImageFormat, IsTruncated_BmpRowsCountedExactly) {
    // 3 pixels of 24 bits: 9 bytes, padded to 12 per row.
    EXPECT_FALSE(IsTruncated(TImageFormat::ifBmp, Bmp(3, 2, 24, 24)));
    EXPECT_TRUE(IsTruncated(TImageFormat::ifBmp, Bmp(3, 2, 24, 23)));
    EXPECT_FALSE(IsTruncated(TImageFormat::ifBmp, Bmp(3, -2, 24, 24))) << "top-down rows count the same";
    EXPECT_FALSE(IsTruncated(TImageFormat::ifBmp, Bmp(0, 5, 24, 0))) << "no pixels, nothing to miss";
}

// Regression: the size of a BMP with extreme dimensions was multiplied out in signed 64 bits and overflowed.
TEST(ImageFormat, IsTruncated_BmpOfExtremeDimensions_DoesNotOverflow) {
    for (const auto& [width, height, bits] :
         {std::tuple{INT32_MAX, INT32_MAX, uint16_t(32)}, std::tuple{INT32_MIN, INT32_MIN, uint16_t(65535)},
          std::tuple{INT32_MAX, INT32_MIN, uint16_t(64)}})
        EXPECT_TRUE(IsTruncated(TImageFormat::ifBmp, Bmp(width, height, bits, 16)));
}

} // namespace
} // namespace orvalis
