#include "imaging/image_format.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace orvalis {

namespace {
bool StartsWith(const std::vector<uint8_t>& d, const char* magic, size_t n) {
    return d.size() >= n && std::memcmp(d.data(), magic, n) == 0;
}
uint32_t U32(const std::vector<uint8_t>& d, size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
} // namespace

TImageFormat FormatFromExtension(std::string_view extension) {
    std::string e(extension);
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    if (e == ".BMP")
        return TImageFormat::ifBmp;
    if (e == ".JPG")
        return TImageFormat::ifJpeg;
    if (e == ".GIF")
        return TImageFormat::ifGif;
    if (e == ".PCX")
        return TImageFormat::ifPcx;
    if (e == ".PNG")
        return TImageFormat::ifPng;
    if (e == ".TIF")
        return TImageFormat::ifTiff;
    return TImageFormat::ifUnknown;
}

TImageFormat FormatFromContent(const std::vector<uint8_t>& d) {
    if (StartsWith(d, "BM", 2))
        return TImageFormat::ifBmp;
    if (StartsWith(d, "\xFF\xD8\xFF", 3))
        return TImageFormat::ifJpeg;
    if (StartsWith(d, "GIF87a", 6) || StartsWith(d, "GIF89a", 6))
        return TImageFormat::ifGif;
    if (StartsWith(d, "\x89PNG\r\n\x1A\n", 8))
        return TImageFormat::ifPng;
    if (StartsWith(d, "II*\0", 4) || StartsWith(d, "MM\0*", 4))
        return TImageFormat::ifTiff;
    // ZSoft's mark, a known version and run-length or no encoding.
    if (d.size() >= 128 && d[0] == 0x0A && (d[1] <= 5 && d[1] != 1) && d[2] <= 1)
        return TImageFormat::ifPcx;
    return TImageFormat::ifUnknown;
}

const char* FormatName(TImageFormat format) {
    switch (format) {
    case TImageFormat::ifBmp:
        return "bmp";
    case TImageFormat::ifJpeg:
        return "jpg";
    case TImageFormat::ifGif:
        return "gif";
    case TImageFormat::ifPcx:
        return "pcx";
    case TImageFormat::ifPng:
        return "png";
    case TImageFormat::ifTiff:
        return "tif";
    case TImageFormat::ifUnknown:
        break;
    }
    return "image";
}

bool IsTruncated(TImageFormat format, const std::vector<uint8_t>& d) {
    auto lastNonZero = [&]() -> int {
        for (size_t i = d.size(); i > 0; --i)
            if (d[i - 1] != 0)
                return d[i - 1];
        return -1;
    };
    switch (format) {
    case TImageFormat::ifJpeg: {
        // The end-of-image marker, allowing padding after it.
        for (size_t i = d.size(); i >= 2; --i)
            if (d[i - 2] == 0xFF && d[i - 1] == 0xD9)
                return false;
        return true;
    }
    case TImageFormat::ifPng: {
        static const char iend[] = "IEND";
        return std::search(d.begin(), d.end(), iend, iend + 4) == d.end();
    }
    case TImageFormat::ifGif:
        return lastNonZero() != 0x3B;
    case TImageFormat::ifBmp: {
        if (d.size() < 34)
            return true;
        const uint32_t offset = U32(d, 10);
        const uint32_t headerSize = U32(d, 14);
        if (headerSize < 40)
            return d.size() < offset;
        const auto width = int64_t(int32_t(U32(d, 18)));
        const auto height = int64_t(int32_t(U32(d, 22)));
        const uint32_t bits = uint32_t(d[28] | d[29] << 8);
        const uint32_t compression = U32(d, 30);
        if (compression != 0 && compression != 3)
            return d.size() <= offset;
        // Counted without overflow: a row is below 2^47 bytes, the row count below 2^32, their product may
        // not fit in 64 bits.
        const auto row = uint64_t(((std::abs(width) * bits + 31) / 32) * 4);
        const auto rows = uint64_t(std::abs(height));
        if (d.size() < offset)
            return true;
        const uint64_t available = d.size() - offset;
        return row != 0 && rows > available / row;
    }
    case TImageFormat::ifPcx:
    case TImageFormat::ifTiff:
    case TImageFormat::ifUnknown:
        break;
    }
    // The PCX decoder and the TIFF library find truncation themselves.
    return false;
}

} // namespace orvalis
