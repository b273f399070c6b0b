#include "platform/graphic.h"
#include "platform/qt_image.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>

namespace orvalis {

TGraphic::TGraphic() : FData(std::make_unique<TImageData>()) {}

TGraphic::TGraphic(const TGraphic& other) : TGraphicsObject(other), FData(std::make_unique<TImageData>()) {
    FData->Image = other.Data().Image;
}

TGraphic& TGraphic::operator=(const TGraphic& other) {
    if (this != &other)
        MutableData().Image = other.Data().Image;
    return *this;
}

TGraphic::~TGraphic() = default;

int TGraphic::Width() const {
    return LogicalSize(FData->Image).width();
}
int TGraphic::Height() const {
    return LogicalSize(FData->Image).height();
}

TColor TGraphic::Pixel(int x, int y) const {
    const QImage& image = Data().Image;
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return clBlack;
    // The device pixel under the middle of the logical one.
    const double ratio = image.devicePixelRatio();
    const int px = std::min(int((x + 0.5) * ratio), image.width() - 1);
    const int py = std::min(int((y + 0.5) * ratio), image.height() - 1);
    const QRgb rgb = image.pixel(px, py);
    return {uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb))};
}

const TImageData& TGraphic::Data() const {
    FlushDrawing();
    return *FData;
}

TImageData& TGraphic::MutableData() {
    FlushDrawing();
    return *FData;
}

QSize LogicalSize(const QImage& image) {
    const double ratio = image.devicePixelRatio();
    if (ratio == 1.0)
        return image.size();
    return {int(std::lround(image.width() / ratio)), int(std::lround(image.height() / ratio))};
}

QRect DeviceRect(const QRect& logical, double ratio) {
    if (ratio == 1.0)
        return logical;
    const int left = int(std::lround(logical.left() * ratio));
    const int top = int(std::lround(logical.top() * ratio));
    const int right = int(std::lround((logical.right() + 1) * ratio));
    const int bottom = int(std::lround((logical.bottom() + 1) * ratio));
    return {left, top, right - left, bottom - top};
}

QImage DeviceImage(int width, int height, QImage::Format format, double ratio) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (ratio == 1.0)
        return QImage(width, height, format);
    QImage image(int(std::ceil(width * ratio)), int(std::ceil(height * ratio)), format);
    image.setDevicePixelRatio(ratio);
    return image;
}

QVector<QRgb> ToColorTable(const TPalette& palette) {
    QVector<QRgb> table;
    table.reserve(qsizetype(palette.Count()));
    for (const TColor& c : palette.Entries())
        table.push_back(qRgb(c.R, c.G, c.B));
    return table;
}

TPalette FromColorTable(const QVector<QRgb>& table) {
    std::vector<TColor> entries;
    entries.reserve(size_t(table.size()));
    for (QRgb rgb : table)
        entries.push_back({uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb))});
    return TPalette(std::move(entries));
}

QImage ReadImage(QIODevice* device, const QByteArray& format) {
    QImageReader reader(device, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage ReadImage(const QByteArray& data, const QByteArray& format) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return ReadImage(&buffer, format);
}

QByteArray FormatOfSuffix(const QString& name) {
    return QFileInfo(name).suffix().toLower().toLatin1();
}

QImage ReadImageFile(const QString& name, const char* format) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (format != nullptr)
        return ReadImage(&file, format);
    if (const QByteArray suffix = FormatOfSuffix(name); !suffix.isEmpty()) {
        if (QImage image = ReadImage(&file, suffix); !image.isNull())
            return image;
        file.seek(0);
    }
    QImageReader reader(&file);
    return reader.read();
}

} // namespace orvalis
