// The picture loader as a whole on arbitrary bytes: the first byte chooses the file's extension (or none, so
// that the content decides) and the colour depth to decode to; the rest is the file. Whatever the file, the
// loader either refuses it with a message or keeps a picture within the pixel limit.
#include "imaging/image_format.h"
#include "imaging/pmulti_image.h"
#include "platform/message_boxes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const char* const Extensions[] = {".bmp", ".jpg", ".gif", ".pcx", ".png", ".tif", ".ico", ""};
const orvalis::TLoadResolution Resolutions[] = {
    orvalis::TLoadResolution::lColorVga, orvalis::TLoadResolution::lMonoChrome,
    orvalis::TLoadResolution::lColor16,  orvalis::TLoadResolution::lColor256,
    orvalis::TLoadResolution::lColorTrue};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string name =
        "/tmp/orvalis-fuzz-picture-" + std::to_string(getpid()) + Extensions[data[0] % std::size(Extensions)];
    if (FILE* file = std::fopen(name.c_str(), "wb")) {
        std::fwrite(data + 1, 1, size - 1, file);
        std::fclose(file);
    } else {
        return 0;
    }

    orvalis::RecordingMessageBoxes boxes;
    orvalis::TMessageBoxesOverride quiet(boxes);
    orvalis::TPMultiImage image;
    image.SetImageReadRes(Resolutions[(data[0] >> 3) % std::size(Resolutions)]);
    image.SetImageDither((data[0] & 0x80) != 0);
    image.SetImageName(name);
    std::remove(name.c_str());

    const int64_t pixels = int64_t(image.Picture().Width()) * image.Picture().Height();
    const bool refused = !boxes.Entries().empty();
    if (pixels > orvalis::MaxPicturePixels || (refused && pixels != 0))
        __builtin_trap();
    return 0;
}
