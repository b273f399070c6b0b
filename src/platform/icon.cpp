#include "platform/icon.h"
#include "platform/qt_image.h"

#include <QImageReader>

namespace orvalis {

bool TIcon::LoadFromFile(const std::string& fileName) {
    const QString name = QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
    QImageReader reader(name);
    // The reader of the suffix's format only, as ReadImage does; without a suffix the content decides.
    if (const QByteArray suffix = FormatOfSuffix(name); !suffix.isEmpty()) {
        reader.setFormat(suffix);
        reader.setAutoDetectImageFormat(false);
    }
    QImage best;
    do {
        QImage image = reader.read();
        if (!image.isNull() && image.width() * image.height() > best.width() * best.height())
            best = image;
    } while (reader.jumpToNextImage());
    if (best.isNull())
        return false;
    MutableQtImage(*this) = best.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
    return true;
}

} // namespace orvalis
