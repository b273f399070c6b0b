#include "platform/icon.h"
#include "platform/qt_image.h"

#include <QImageReader>

namespace orvalis {

bool TIcon::LoadFromFile(const std::string& fileName) {
    QImageReader reader(QString::fromUtf8(fileName.data(), qsizetype(fileName.size())));
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
