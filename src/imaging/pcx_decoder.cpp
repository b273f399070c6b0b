#include "imaging/pcx_decoder.h"
#include "imaging/image_format.h"

namespace orvalis {

namespace {
constexpr size_t HeaderSize = 128;
constexpr int MaxSide = 16384;

// The 16 colours of the standard palette, used when a 16-colour file leaves its header palette empty.
constexpr uint8_t DefaultEga[48] = {0,   0,  0,  0,   0,  170, 0,   170, 0,  0,   170, 170,
                                    170, 0,  0,  170, 0,  170, 170, 85,  0,  170, 170, 170,
                                    85,  85, 85, 85,  85, 255, 85,  255, 85, 85,  255, 255,
                                    255, 85, 85, 255, 85, 255, 255, 255, 85, 255, 255, 255};

uint16_t U16(const std::vector<uint8_t>& d, size_t at) {
    return uint16_t(d[at] | d[at + 1] << 8);
}

// Expands the run-length data of one scan line (all planes) into line; false when the data runs out.
bool ReadLine(const std::vector<uint8_t>& data, size_t& pos, std::vector<uint8_t>& line, bool encoded) {
    size_t filled = 0;
    while (filled < line.size()) {
        if (pos >= data.size())
            return false;
        uint8_t value = data[pos++];
        size_t count = 1;
        if (encoded && (value & 0xC0) == 0xC0) {
            count = value & 0x3F;
            if (pos >= data.size())
                return false;
            value = data[pos++];
        }
        // A run may not cross the end of a line's planes; what would spill over is dropped.
        while (count-- > 0 && filled < line.size())
            line[filled++] = value;
    }
    return true;
}
} // namespace

bool DecodePcx(const std::vector<uint8_t>& data, TPcxImage& image, std::string& error) {
    if (data.size() < HeaderSize || data[0] != 0x0A) {
        error = "The file is not a PCX picture.";
        return false;
    }
    const uint8_t encoding = data[2];
    const int bitsPerPixel = data[3];
    const int width = int(U16(data, 8)) - int(U16(data, 4)) + 1;
    const int height = int(U16(data, 10)) - int(U16(data, 6)) + 1;
    const int planes = data[65];
    const size_t bytesPerLine = U16(data, 66);
    if (encoding > 1 || width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) {
        error = "The PCX header is damaged.";
        return false;
    }
    const bool mono = bitsPerPixel == 1 && planes == 1;
    const bool ega = bitsPerPixel == 1 && planes == 4;
    const bool vga = bitsPerPixel == 8 && planes == 1;
    const bool rgb = bitsPerPixel == 8 && planes == 3;
    if (!mono && !ega && !vga && !rgb) {
        error = "This kind of PCX picture is not supported.";
        return false;
    }
    if (bytesPerLine * 8 < size_t(width) * size_t(bitsPerPixel)) {
        error = "The PCX header is damaged.";
        return false;
    }

    if (int64_t(width) * height > MaxPicturePixels) {
        error = "The picture is too large.";
        return false;
    }
    // A file too short for its declared size is refused before the picture is allocated. Unencoded, a scan
    // line takes its own size; encoded, at least two bytes per run of 63 and one byte for a single last one.
    const size_t lineBytes = bytesPerLine * size_t(planes);
    const size_t rest = lineBytes % 63;
    const size_t leastPerLine = encoding == 1 ? lineBytes / 63 * 2 + (rest == 0   ? 0
                                                                      : rest == 1 ? 1
                                                                                  : 2)
                                              : lineBytes;
    if ((data.size() - HeaderSize) / size_t(height) < leastPerLine) {
        error = "The PCX file is truncated.";
        return false;
    }

    TPcxImage out;
    out.Width = width;
    out.Height = height;
    out.Indexed = !rgb;
    const size_t pixels = size_t(width) * size_t(height);
    (rgb ? out.Rgb : out.Indices).resize(rgb ? pixels * 3 : pixels);
    std::vector<uint8_t> line(bytesPerLine * size_t(planes));
    size_t pos = HeaderSize;
    for (int y = 0; y < height; ++y) {
        if (!ReadLine(data, pos, line, encoding == 1)) {
            error = "The PCX file is truncated.";
            return false;
        }
        for (int x = 0; x < width; ++x) {
            const size_t at = size_t(y) * size_t(width) + size_t(x);
            if (rgb) {
                for (int p = 0; p < 3; ++p)
                    out.Rgb[at * 3 + size_t(p)] = line[size_t(p) * bytesPerLine + size_t(x)];
            } else if (vga) {
                out.Indices[at] = line[size_t(x)];
            } else {
                uint8_t index = 0;
                for (int p = 0; p < planes; ++p) {
                    const uint8_t byte = line[size_t(p) * bytesPerLine + size_t(x) / 8];
                    index |= uint8_t(((byte >> (7 - x % 8)) & 1) << p);
                }
                out.Indices[at] = index;
            }
        }
    }

    if (vga) {
        // The 256-colour palette follows a 12 at the very end of the file.
        if (data.size() < HeaderSize + 769 || data[data.size() - 769] != 0x0C || data.size() - 769 < pos) {
            error = "The PCX file has no colour palette.";
            return false;
        }
        out.Palette.assign(data.end() - 768, data.end());
    } else if (mono) {
        out.Palette = {0, 0, 0, 255, 255, 255};
    } else if (ega) {
        out.Palette.assign(data.begin() + 16, data.begin() + 64);
        bool empty = true;
        for (uint8_t b : out.Palette)
            empty = empty && b == 0;
        if (empty)
            out.Palette.assign(DefaultEga, DefaultEga + 48);
    }
    image = std::move(out);
    return true;
}

} // namespace orvalis
