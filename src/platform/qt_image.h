#pragma once

// For the platform and imaging layers only: the Qt image behind a graphic.

#include "platform/graphic.h"
#include "platform/palette.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

namespace orvalis {

struct TImageData {
    QImage Image;
};

inline const QImage& QtImage(const TGraphic& graphic) {
    return graphic.Data().Image;
}
inline QImage& MutableQtImage(TGraphic& graphic) {
    return graphic.MutableData().Image;
}

QVector<QRgb> ToColorTable(const TPalette& palette);

// Sizes in logical pixels against device pixels. An image of a picture made for a scaled screen carries
// its device pixel ratio; its logical size is its pixel size divided by it.
QSize LogicalSize(const QImage& image);
// The device pixels a logical rectangle covers at the ratio: its edges land where Qt draws them.
QRect DeviceRect(const QRect& logical, double ratio);
// An image of the logical size at the ratio, its pixels not yet set.
QImage DeviceImage(int width, int height, QImage::Format format, double ratio);

// Pictures are read with the reader of their format only: asked otherwise, Qt loads every image plugin
// installed, each with its libraries, to ask whether it reads the data. A null image when they do not read.
// The format is Qt's name for it ("bmp", "png", "xpm", "ico", ...).
QImage ReadImage(QIODevice* device, const QByteArray& format);
// The format a file name's suffix names, in lower case; empty without a suffix.
QByteArray FormatOfSuffix(const QString& name);
QImage ReadImage(const QByteArray& data, const QByteArray& format);
// A file in the format given, or else in the one its suffix names; a file without either, or one that does
// not read in its suffix's format, is tried once more by its content.
QImage ReadImageFile(const QString& name, const char* format = nullptr);
TPalette FromColorTable(const QVector<QRgb>& table);

} // namespace orvalis
