#include "platform/bitmap.h"
#include "platform/qt_canvas.h"
#include "platform/qt_image.h"
#include "platform/qt_text.h"
#include "platform/screen.h"

#include <QFile>

namespace orvalis {

namespace {
TPixelFormat FormatOf(const QImage& image) {
    if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
        return TPixelFormat::pf1bit;
    if (image.format() == QImage::Format_Indexed8)
        return image.colorCount() <= 16 ? TPixelFormat::pf4bit : TPixelFormat::pf8bit;
    return TPixelFormat::pf24bit;
}

QString FileName(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TColor fill) {
    SetSize(width, height, fill);
}

TBitmap::TBitmap(const TBitmap& other)
    : TGraphic(other), FPixelFormat(other.FPixelFormat), FPalette(other.FPalette) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this == &other)
        return *this;
    TGraphic::operator=(other);
    FPixelFormat = other.FPixelFormat;
    FPalette = other.FPalette;
    Changed();
    return *this;
}

TBitmap::~TBitmap() = default;

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    return std::make_unique<TBitmap>(*this);
}

void TBitmap::FlushDrawing() const {
    if (FCanvas)
        FCanvas->Release();
}

void TBitmap::SetSize(int width, int height, TColor fill) {
    // Bitmaps are composed to be shown: they have the screen's resolution.
    QImage image = DeviceImage(width, height, QImage::Format_RGB32, Screen().DevicePixelRatio());
    image.fill(ToQColor(fill));
    TakeImage(TImageData{image}, TPixelFormat::pf24bit);
}

void TBitmap::SetPalette(std::optional<TPalette> palette) {
    if (FPalette == palette)
        return;
    FPalette = std::move(palette);
    QImage& image = MutableQtImage(*this);
    if (FPalette && image.format() == QImage::Format_Indexed8 &&
        FPalette->Count() >= size_t(image.colorCount()))
        image.setColorTable(ToColorTable(*FPalette));
    Changed();
}

TCanvas& TBitmap::Canvas() {
    QImage& image = MutableQtImage(*this);
    if (image.format() != QImage::Format_RGB32) {
        image = image.convertToFormat(QImage::Format_RGB32);
        FPixelFormat = TPixelFormat::pf24bit;
    }
    if (!FCanvas)
        FCanvas = std::make_unique<QtCanvas>(&image);
    return *FCanvas;
}

void TBitmap::TakeImage(TImageData data, TPixelFormat format) {
    // The canvas keeps a pointer to the image; it is dropped before the image is replaced.
    FlushDrawing();
    FCanvas.reset();
    MutableData() = std::move(data);
    FPixelFormat = format;
    const QImage& image = QtImage(*this);
    if (image.colorCount() > 0)
        FPalette = FromColorTable(image.colorTable());
    else
        FPalette.reset();
    Changed();
}

bool TBitmap::LoadFromFile(const std::string& fileName, const char* format) {
    const QImage image = ReadImageFile(FileName(fileName), format);
    if (image.isNull())
        return false;
    TakeImage(TImageData{image}, FormatOf(image));
    return true;
}

bool TBitmap::LoadFromMemory(const void* data, size_t size) {
    QImage image;
    if (!image.loadFromData(static_cast<const uchar*>(data), int(size)))
        return false;
    const TPixelFormat format = FormatOf(image);
    TakeImage(TImageData{image}, format);
    return true;
}

bool TBitmap::SaveToFile(const std::string& fileName) const {
    const QString name = FileName(fileName);
    const char* format = name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ? "BMP" : "PNG";
    return QtImage(*this).save(name, format);
}

} // namespace orvalis
