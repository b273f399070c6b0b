#include "imaging/pmulti_image.h"
#include "content/short_string.h"
#include "imaging/color_reduction.h"
#include "imaging/image_format.h"
#include "imaging/pcx_decoder.h"
#include "platform/bitmap.h"
#include "platform/icon.h"
#include "platform/message_boxes.h"
#include "platform/paths.h"
#include "platform/qt_image.h"
#include "platform/resources.h"
#include "platform/screen.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <iterator>

namespace orvalis {

namespace {
// Files larger than this are not pictures the program shows; refusing them bounds the memory a damaged or
// hostile file can make the loader take.
constexpr std::uintmax_t MaxPictureFileSize = 64 * 1024 * 1024;

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

QImage FromPcx(const TPcxImage& pcx) {
    if (!pcx.Indexed) {
        QImage image(pcx.Width, pcx.Height, QImage::Format_RGB888);
        for (int y = 0; y < pcx.Height; ++y)
            std::copy_n(pcx.Rgb.data() + size_t(y) * size_t(pcx.Width) * 3, size_t(pcx.Width) * 3,
                        image.scanLine(y));
        return image;
    }
    QImage image(pcx.Width, pcx.Height, QImage::Format_Indexed8);
    QVector<QRgb> table;
    for (size_t i = 0; i + 2 < pcx.Palette.size(); i += 3)
        table.push_back(qRgb(pcx.Palette[i], pcx.Palette[i + 1], pcx.Palette[i + 2]));
    // Indices beyond a short palette show black rather than reading past the table.
    while (table.size() < 256)
        table.push_back(qRgb(0, 0, 0));
    image.setColorTable(table);
    for (int y = 0; y < pcx.Height; ++y)
        std::copy_n(pcx.Indices.data() + size_t(y) * size_t(pcx.Width), size_t(pcx.Width), image.scanLine(y));
    return image;
}

TPixelFormat FormatForBits(const QImage& image) {
    switch (image.depth()) {
    case 1:
        return TPixelFormat::pf1bit;
    case 8:
        return image.colorCount() <= 16 ? TPixelFormat::pf4bit : TPixelFormat::pf8bit;
    default:
        return TPixelFormat::pf24bit;
    }
}
// Decodes a picture file of the platform's readers or PCX; on failure names the format and the reason.
bool DecodeRaster(const std::string& name, QImage& image, std::string& formatName, std::string& reason) {
    auto Failed = [&](std::string_view format, std::string why) {
        formatName = format;
        reason = std::move(why);
        return false;
    };
    TImageFormat format = FormatFromExtension(Upper(ExtensionOf(name)));
    const std::optional<std::vector<uint8_t>> read = ReadWholeFile(name, MaxPictureFileSize);
    if (!read)
        return Failed(FormatName(format), "The file could not be read.");
    const std::vector<uint8_t>& data = *read;
    if (format == TImageFormat::ifUnknown)
        format = FormatFromContent(data);
    if (format == TImageFormat::ifUnknown)
        return Failed("image", "The picture format of the file is not known.");
    if (IsTruncated(format, data))
        return Failed(FormatName(format), "The file is truncated.");

    if (format == TImageFormat::ifPcx) {
        TPcxImage pcx;
        std::string error;
        if (!DecodePcx(data, pcx, error))
            return Failed("pcx", error);
        image = FromPcx(pcx);
    } else {
        QByteArray bytes(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
        QBuffer buffer(&bytes);
        static const char* const qtFormats[] = {"", "bmp", "jpeg", "gif", "", "png", "tiff"};
        QImageReader reader(&buffer, qtFormats[int(format)]);
        reader.setDecideFormatFromContent(false);
        // Only the reader of the format found: otherwise Qt loads every image plugin installed, each with
        // its libraries, to ask whether it reads the picture.
        reader.setAutoDetectImageFormat(false);
        if (reader.size().isValid() &&
            qint64(reader.size().width()) * reader.size().height() > MaxPicturePixels)
            return Failed(FormatName(format), "The picture is too large.");
        image = reader.read();
        if (image.isNull())
            return Failed(FormatName(format), reader.errorString().toStdString());
    }

    return true;
}

} // namespace

void TPMultiImage::SetImageName(const std::string& value) {
    FImageName = ShortString(value);
    Load();
}

void TPMultiImage::SetColorsForScreen(int bitsPerPixel) {
    SetImageDither(bitsPerPixel < 16);
    SetImageReadRes(bitsPerPixel < 8    ? TLoadResolution::lColor16
                    : bitsPerPixel < 16 ? TLoadResolution::lColor256
                                        : TLoadResolution::lColorTrue);
}

int TPMultiImage::TargetBits() const {
    switch (FImageReadRes) {
    case TLoadResolution::lColorVga:
        return 0;
    case TLoadResolution::lMonoChrome:
        return 1;
    case TLoadResolution::lColor16:
        return 4;
    case TLoadResolution::lColor256:
        return 8;
    case TLoadResolution::lColorTrue:
        return 24;
    case TLoadResolution::lAutoMatic:
        break;
    }
    const int screenBits = Screen().BitsPerPixel();
    return screenBits <= 4 ? 4 : screenBits < 16 ? 8 : 24;
}

void TPMultiImage::Fail(const std::string& formatName, const std::string& reason) {
    FPicture.Clear();
    MessageBoxes().Error(reason);
    MessageBoxes().Information("Reading " + formatName + " file failed");
}

void TPMultiImage::Load() {
    FPicture.Clear();
    if (FImageName.empty())
        return;
    const std::string extension = Upper(ExtensionOf(FImageName));

    if (extension == ".RES") {
        const std::string name = FImageName.substr(0, FImageName.size() - 4);
        const auto resource = FindBitmapResource({}, name.substr(name.find_last_of("\\/") + 1));
        auto bitmap = std::make_unique<TBitmap>();
        if (!resource || !DecodeDib(*resource, *bitmap))
            return Fail("resource", "The bitmap resource " + name + " was not found.");
        FPicture.TakeGraphic(std::move(bitmap));
        return;
    }
    if (!FileExists(FImageName))
        return;

    if (extension == ".ICO") {
        auto icon = std::make_unique<TIcon>();
        if (!icon->LoadFromFile(NativePath(FImageName)))
            return Fail("ico", "The icon could not be decoded.");
        FPicture.TakeGraphic(std::move(icon));
        return;
    }
    if (extension == ".WMF")
        return Fail("wmf", "Windows metafiles cannot be shown on this system.");

    // On a scaled screen a picture drawn at twice the resolution, beside the file as NAME@2x.EXT, is used
    // where it exists and reads; otherwise the file itself, enlarged when it is drawn.
    QImage image;
    std::string formatName, reason;
    bool doubled = false;
    if (Screen().DevicePixelRatio() > 1.0) {
        const std::string name = DoubledName(FImageName);
        doubled = FileExists(name) && DecodeRaster(name, image, formatName, reason);
    }
    if (!doubled && !DecodeRaster(FImageName, image, formatName, reason))
        return Fail(formatName, reason);

    image = ReduceColors(image, TargetBits(), FImageDither);
    if (image.hasAlphaChannel())
        image = image.convertToFormat(QImage::Format_RGB32);
    if (doubled)
        image.setDevicePixelRatio(2.0);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->TakeImage(TImageData{image}, FormatForBits(image));
    FPicture.TakeGraphic(std::move(bitmap));
}

} // namespace orvalis
