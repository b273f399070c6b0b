#pragma once

// For the platform and imaging layers only: the Qt image behind a graphic.

#include "platform/graphic.h"
#include "platform/palette.h"

#include <QImage>

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
TPalette FromColorTable(const QVector<QRgb>& table);

} // namespace orvalis
