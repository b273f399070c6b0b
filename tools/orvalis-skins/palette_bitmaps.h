// The splash for screens of 8 bits per pixel or fewer: the picture reduced to the program's palettes and
// written as the program stores bitmap resources (a device-independent bitmap without file header).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector>

#include <filesystem>
#include <optional>

namespace orvalis::skins {

// The colour table of a palette resource (PAL16, PAL256); none when the file is missing or damaged.
std::optional<QVector<QRgb>> ReadDibColorTable(const std::filesystem::path& path);

// The image reduced to the table (dithered) as a bottom-up bitmap of 4 or 8 bits per pixel with a
// 40-byte header and the table as its colours.
QByteArray EncodeDib(const QImage& image, const QVector<QRgb>& table, int bitsPerPixel);

} // namespace orvalis::skins
