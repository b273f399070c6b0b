#pragma once

#include "platform/palette.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

class TBitmap;

// The program's bitmap resources: device-independent bitmaps as the program stores them, a header
// (BITMAPCOREHEADER of 12 bytes or BITMAPINFOHEADER of 40 or more) followed by the colour table and the
// pixels, without a file header. They are compiled into the program under ":/bitmaps/" + name.
// An empty module means the program itself; the program has no other modules, so any other is not found.
// A name that reads as a decimal whole number selects the resource by number (its file is that number).
std::optional<std::vector<uint8_t>> FindBitmapResource(std::string_view module, std::string_view name);

// The program's other built-in pictures, as picture files (PNG) compiled in under ":/pictures/" + name;
// none when the program holds no picture of that name.
std::optional<std::vector<uint8_t>> FindPictureResource(std::string_view name);

struct TDibHeader {
    uint32_t HeaderSize = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t BitCount = 0;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;
    // Number of colour-table entries: 2^BitCount for a 12-byte header (none at 24 bits); for larger headers
    // ColorsUsed, or 2^BitCount when that is 0 (none above 8 bits).
    uint32_t ColorCount() const;
    // Where the pixels begin: after the header and the colour table (3 bytes an entry for a 12-byte header).
    size_t PixelOffset() const;
};

// Reads the header; none when the data is too short or the header is not one of the known sizes.
std::optional<TDibHeader> ReadDibHeader(const std::vector<uint8_t>& dib);
// The colour table of the bitmap (red, green, blue), checked against the data's length.
std::optional<TPalette> ReadDibPalette(const std::vector<uint8_t>& dib);
// Decodes the bitmap with its own palette into the target; false (target unchanged) when damaged.
bool DecodeDib(const std::vector<uint8_t>& dib, TBitmap& target);

} // namespace orvalis
