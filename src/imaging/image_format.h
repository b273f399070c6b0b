#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvalis {

// The most pixels a picture may have: larger ones are refused before anything is allocated for them, so a
// damaged or hostile file cannot make the loader take more memory than a real picture would.
inline constexpr int64_t MaxPicturePixels = 64 * 1024 * 1024;

enum class TImageFormat { ifUnknown, ifBmp, ifJpeg, ifGif, ifPcx, ifPng, ifTiff };

// The format an extension names (".BMP", ".JPG", ".GIF", ".PCX", ".PNG", ".TIF", in any case); unknown
// for an empty extension, "." or any other.
TImageFormat FormatFromExtension(std::string_view extension);
// The format the first bytes of a file show; unknown when none matches.
TImageFormat FormatFromContent(const std::vector<uint8_t>& data);
// The short name in the failure message: "bmp", "jpg", "gif", "pcx", "png", "tif".
const char* FormatName(TImageFormat format);
// Whether the data ends before the format's closing mark. The readers behind the loader would otherwise
// show a cut-off file as a complete picture with a grey or empty lower part.
bool IsTruncated(TImageFormat format, const std::vector<uint8_t>& data);

} // namespace orvalis
