#include "platform/resources.h"
#include "platform/bitmap.h"
#include "platform/paths.h"
#include "platform/picture.h"
#include "platform/qt_image.h"
#include "platform/screen.h"

#include <QFile>
#include <cstring>

namespace orvalis {

namespace {
uint32_t U32(const std::vector<uint8_t>& d, size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& d, size_t at) {
    return uint16_t(d[at] | d[at + 1] << 8);
}
} // namespace

std::optional<std::vector<uint8_t>> FindBitmapResource(std::string_view module, std::string_view name) {
    if (!module.empty() || name.empty())
        return std::nullopt;
    QFile file(QStringLiteral(":/bitmaps/") + QString::fromLatin1(name.data(), qsizetype(name.size())));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

uint32_t TDibHeader::ColorCount() const {
    if (HeaderSize == 12)
        return BitCount >= 24 ? 0 : 1u << BitCount;
    if (ColorsUsed != 0)
        return ColorsUsed;
    return BitCount > 8 ? 0 : 1u << BitCount;
}

size_t TDibHeader::PixelOffset() const {
    return HeaderSize + ColorCount() * (HeaderSize == 12 ? 3 : 4);
}

std::optional<TDibHeader> ReadDibHeader(const std::vector<uint8_t>& dib) {
    if (dib.size() < 12)
        return std::nullopt;
    TDibHeader h;
    h.HeaderSize = U32(dib, 0);
    if (h.HeaderSize == 12) {
        h.Width = U16(dib, 4);
        h.Height = U16(dib, 6);
        h.BitCount = U16(dib, 10);
    } else if (h.HeaderSize >= 36 && dib.size() >= 36 && h.HeaderSize <= dib.size()) {
        h.Width = int32_t(U32(dib, 4));
        h.Height = int32_t(U32(dib, 8));
        h.BitCount = U16(dib, 14);
        h.Compression = U32(dib, 16);
        h.ColorsUsed = U32(dib, 32);
    } else {
        return std::nullopt;
    }
    if (h.ColorCount() > 256)
        return std::nullopt;
    return h;
}

std::optional<TPalette> ReadDibPalette(const std::vector<uint8_t>& dib) {
    const auto header = ReadDibHeader(dib);
    if (!header || header->PixelOffset() > dib.size())
        return std::nullopt;
    const size_t step = header->HeaderSize == 12 ? 3 : 4;
    std::vector<TColor> entries;
    for (size_t i = 0; i < header->ColorCount(); ++i) {
        const size_t at = header->HeaderSize + i * step;
        entries.push_back({dib[at + 2], dib[at + 1], dib[at]});
    }
    return TPalette(std::move(entries));
}

bool DecodeDib(const std::vector<uint8_t>& dib, TBitmap& target) {
    const auto header = ReadDibHeader(dib);
    if (!header || header->PixelOffset() > dib.size())
        return false;
    // A file header in front turns the resource into a BMP file that the platform's reader decodes.
    const uint32_t fileSize = uint32_t(14 + dib.size());
    const uint32_t offBits = uint32_t(14 + header->PixelOffset());
    std::vector<uint8_t> file(14);
    file[0] = 'B';
    file[1] = 'M';
    std::memcpy(&file[2], &fileSize, 4);
    std::memcpy(&file[10], &offBits, 4);
    file.insert(file.end(), dib.begin(), dib.end());
    const QImage image =
        ReadImage(QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size())), "bmp");
    if (image.isNull())
        return false;
    const TPixelFormat format = header->BitCount == 1   ? TPixelFormat::pf1bit
                                : header->BitCount == 4 ? TPixelFormat::pf4bit
                                : header->BitCount == 8 ? TPixelFormat::pf8bit
                                                        : TPixelFormat::pf24bit;
    target.TakeImage(TImageData{image}, format);
    if (const auto palette = ReadDibPalette(dib); palette && !palette->Empty())
        target.SetPalette(*palette);
    return true;
}

bool LoadPictureResource(std::string_view name, TPicture& target) {
    if (name.empty())
        return false;
    TBitmap bitmap;
    // The pictures compiled in are PNG files, some named without the suffix; a scaled screen takes the one
    // drawn at twice the resolution where the program has it.
    const std::string file = ":/pictures/" + std::string(name);
    if (Screen().DevicePixelRatio() > 1.0 && bitmap.LoadFromFile(DoubledName(file), "png")) {
        MutableQtImage(bitmap).setDevicePixelRatio(2.0);
    } else if (!bitmap.LoadFromFile(file, "png")) {
        return false;
    }
    target.SetGraphic(&bitmap);
    return true;
}

} // namespace orvalis
