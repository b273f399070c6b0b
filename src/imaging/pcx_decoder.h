#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvalis {

// A decoded PCX picture: either indexed (Indices with a Palette of red-green-blue triples) or true
// colour (Rgb, three bytes a pixel), row by row from the top.
struct TPcxImage {
    int Width = 0;
    int Height = 0;
    bool Indexed = true;
    std::vector<uint8_t> Indices;
    std::vector<uint8_t> Rgb;
    std::vector<uint8_t> Palette;
};

// Decodes ZSoft PCX: run-length encoded, 1 bit x 1 plane (monochrome), 1 bit x 4 planes (16 colours),
// 8 bits x 1 plane (256 colours, palette at the end) and 8 bits x 3 planes (true colour). Debian 12 ships
// no maintained PCX reader for Qt 6, hence this small decoder. Returns false with a message in error for
// a damaged, truncated or unsupported file; pictures over 16384 pixels a side are refused as damaged.
bool DecodePcx(const std::vector<uint8_t>& data, TPcxImage& image, std::string& error);

} // namespace orvalis
