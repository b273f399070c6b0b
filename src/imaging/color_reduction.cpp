#include "imaging/color_reduction.h"

namespace orvalis {

namespace {
QVector<QRgb> StandardSixteen() {
    static const QRgb colors[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                    0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    QVector<QRgb> table;
    for (QRgb c : colors)
        table.push_back(0xFF000000 | c);
    return table;
}
} // namespace

QImage ReduceColors(const QImage& image, int bits, bool dither) {
    if (image.isNull() || bits == 0)
        return image;
    const Qt::ImageConversionFlags flags = (dither ? Qt::DiffuseDither : Qt::ThresholdDither) | Qt::ColorOnly;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    switch (bits) {
    case 1:
        return rgb.convertToFormat(QImage::Format_Mono,
                                   (dither ? Qt::DiffuseDither : Qt::ThresholdDither) | Qt::MonoOnly);
    case 4:
        return rgb.convertToFormat(QImage::Format_Indexed8, StandardSixteen(), flags);
    case 8:
        return rgb.convertToFormat(QImage::Format_Indexed8, flags);
    default:
        return rgb;
    }
}

} // namespace orvalis
