#include "picture_files.h"

#include <fstream>

namespace orvalis::test {

namespace {
void Put16(std::vector<uint8_t>& out, int v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
} // namespace

std::vector<uint8_t> EncodeGif(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> colors;
    std::vector<uint8_t> indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            auto it = std::find(colors.begin(), colors.end(), c);
            if (it == colors.end() && colors.size() < 4)
                it = colors.insert(colors.end(), c);
            indices.push_back(uint8_t(it == colors.end() ? 0 : it - colors.begin()));
        }
    colors.resize(4, qRgb(0, 0, 0));

    std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, image.width());
    Put16(out, image.height());
    out.insert(out.end(), {0x81, 0, 0}); // global table of 4 colours
    for (QRgb c : colors)
        out.insert(out.end(), {uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))});
    out.push_back(',');
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, image.width());
    Put16(out, image.height());
    out.push_back(0);
    out.push_back(2); // minimum code size: codes are 3 bits wide
    // Every second literal is followed by a clear code, so the code table never grows past 3-bit codes.
    std::vector<int> codes = {4};
    for (size_t i = 0; i < indices.size(); ++i) {
        codes.push_back(indices[i]);
        if (i % 2 == 1)
            codes.push_back(4);
    }
    codes.push_back(5);
    std::vector<uint8_t> packed;
    uint32_t bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= uint32_t(code) << count;
        count += 3;
        while (count >= 8) {
            packed.push_back(uint8_t(bits));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        packed.push_back(uint8_t(bits));
    for (size_t i = 0; i < packed.size(); i += 255) {
        const size_t n = std::min<size_t>(255, packed.size() - i);
        out.push_back(uint8_t(n));
        out.insert(out.end(), packed.begin() + long(i), packed.begin() + long(i + n));
    }
    out.push_back(0);
    out.push_back(';');
    return out;
}

std::vector<uint8_t> EncodePcx8(const QImage& source) {
    const QImage image = source.format() == QImage::Format_Indexed8
                             ? source
                             : source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    std::vector<uint8_t> out(128, 0);
    out[0] = 0x0A;
    out[1] = 5;
    out[2] = 1;
    out[3] = 8;
    auto put = [&](size_t at, int v) {
        out[at] = uint8_t(v);
        out[at + 1] = uint8_t(v >> 8);
    };
    put(8, image.width() - 1);
    put(10, image.height() - 1);
    out[65] = 1;
    const int bytesPerLine = (image.width() + 1) / 2 * 2;
    put(66, bytesPerLine);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        int x = 0;
        while (x < bytesPerLine) {
            const uint8_t v = x < image.width() ? line[x] : 0;
            int run = 1;
            while (x + run < bytesPerLine && run < 63 && (x + run < image.width() ? line[x + run] : 0) == v)
                ++run;
            if (run > 1 || (v & 0xC0) == 0xC0)
                out.push_back(uint8_t(0xC0 | run));
            out.push_back(v);
            x += run;
        }
    }
    out.push_back(0x0C);
    const QVector<QRgb> table = image.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table[i] : 0;
        out.insert(out.end(), {uint8_t(qRed(c)), uint8_t(qGreen(c)), uint8_t(qBlue(c))});
    }
    return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), long(data.size()));
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace orvalis::test
