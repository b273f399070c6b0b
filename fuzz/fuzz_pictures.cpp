// Picture files from arbitrary bytes: the format sniffing, every format's truncation check and the PCX
// decoder, within the pixel limit that every format shares.
#include "imaging/image_format.h"
#include "imaging/pcx_decoder.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvalis;
    const std::vector<uint8_t> bytes(data, data + size);
    (void)FormatFromContent(bytes);
    for (const TImageFormat format :
         {TImageFormat::ifBmp, TImageFormat::ifJpeg, TImageFormat::ifGif, TImageFormat::ifPcx,
          TImageFormat::ifPng, TImageFormat::ifTiff, TImageFormat::ifUnknown})
        (void)IsTruncated(format, bytes);
    TPcxImage image;
    std::string error;
    if (DecodePcx(bytes, image, error)) {
        // A decoded picture is within the limit and holds exactly its pixels.
        const auto pixels = size_t(image.Width) * size_t(image.Height);
        if (int64_t(pixels) > MaxPicturePixels ||
            (image.Indexed ? image.Indices.size() : image.Rgb.size() / 3) != pixels)
            __builtin_trap();
    }
    return 0;
}
