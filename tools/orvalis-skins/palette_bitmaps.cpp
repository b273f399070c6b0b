#include "orvalis-skins/palette_bitmaps.h"

#include <QFile>

#include <cstdint>

namespace orvalis::skins {

namespace {

uint32_t Read32(const QByteArray& b, qsizetype at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

uint16_t Read16(const QByteArray& b, qsizetype at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

void Put32(QByteArray& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

void Put16(QByteArray& b, uint16_t v) {
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

} // namespace

std::optional<QVector<QRgb>> ReadDibColorTable(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray b = file.readAll();
    if (b.size() < 40)
        return std::nullopt;
    const uint32_t header = Read32(b, 0);
    const uint16_t bits = Read16(b, 14);
    if (header < 40 || bits == 0 || bits > 8)
        return std::nullopt;
    uint32_t count = Read32(b, 32);
    if (count == 0 || count > (1u << bits))
        count = 1u << bits;
    if (qsizetype(header + 4 * count) > b.size())
        return std::nullopt;
    QVector<QRgb> table;
    for (uint32_t i = 0; i < count; ++i) {
        const qsizetype at = qsizetype(header + 4 * i);
        table.append(qRgb(uint8_t(b[at + 2]), uint8_t(b[at + 1]), uint8_t(b[at])));
    }
    return table;
}

QByteArray EncodeDib(const QImage& image, const QVector<QRgb>& table, int bitsPerPixel) {
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, table, Qt::DiffuseDither);
    const int w = indexed.width(), h = indexed.height();
    const int rowBytes = ((w * bitsPerPixel + 31) / 32) * 4;
    QByteArray b;
    Put32(b, 40);
    Put32(b, uint32_t(w));
    Put32(b, uint32_t(h)); // positive: rows bottom-up
    Put16(b, 1);
    Put16(b, uint16_t(bitsPerPixel));
    Put32(b, 0); // no compression
    Put32(b, uint32_t(rowBytes * h));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, uint32_t(table.size()));
    Put32(b, 0);
    for (QRgb c : table) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append('\0');
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes, '\0');
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (bitsPerPixel == 8)
                row[x] = char(line[x]);
            else
                row[x / 2] =
                    char(uint8_t(row[x / 2]) | (x % 2 == 0 ? (line[x] & 0x0F) << 4 : line[x] & 0x0F));
        }
        b.append(row);
    }
    return b;
}

} // namespace orvalis::skins
