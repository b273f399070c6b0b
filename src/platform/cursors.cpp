#include "platform/cursors.h"
#include "platform/form.h"
#include "platform/icon.h"
#include "platform/qt_cursor.h"
#include "platform/qt_image.h"
#include "platform/screen.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QRegularExpression>
#include <QWidget>
#include <cmath>
#include <map>

namespace orvalis {

namespace {
struct TCursorEntry {
    TIcon Image;
    TPoint HotSpot;
};

std::map<TCursor, TCursorEntry>& Table() {
    static std::map<TCursor, TCursorEntry> table;
    return table;
}

const char* const CursorProperty = "orvalisCursor";

Qt::CursorShape ShapeOf(TCursor c) {
    switch (c) {
    case crIBeam:
        return Qt::IBeamCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// The hot spot from the XPM values line "width height colours chars [x y]".
TPoint HotSpotOf(const QByteArray& xpm) {
    static const QRegularExpression values(QStringLiteral("\"\\s*(\\d+(?:\\s+\\d+){3,5})\\s*\""));
    const QRegularExpressionMatch m = values.match(QString::fromLatin1(xpm));
    if (!m.hasMatch())
        return {};
    const QStringList numbers = m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (numbers.size() != 6)
        return {};
    return {numbers[4].toInt(), numbers[5].toInt()};
}
} // namespace

bool RegisterCursor(TCursor number, std::string_view resourceName) {
    if (resourceName.empty())
        return false;
    QFile file(QStringLiteral(":/cursors/") +
               QString::fromLatin1(resourceName.data(), qsizetype(resourceName.size())));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray xpm = file.readAll();
    const QImage image = ReadImage(xpm, "xpm");
    if (image.isNull())
        return false;
    TCursorEntry entry;
    MutableQtImage(entry.Image) = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    entry.HotSpot = HotSpotOf(xpm);
    entry.HotSpot.X = std::clamp(entry.HotSpot.X, 0, image.width() - 1);
    entry.HotSpot.Y = std::clamp(entry.HotSpot.Y, 0, image.height() - 1);
    Table()[number] = std::move(entry);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        for (QWidget* widget : QApplication::allWidgets())
            if (const QVariant shown = widget->property(CursorProperty);
                shown.isValid() && shown.toInt() == number)
                widget->setCursor(QtCursor(number));
        if (Application().ScreenCursor() == number) {
            QApplication::restoreOverrideCursor();
            QApplication::setOverrideCursor(QtCursor(number));
        }
    }
    return true;
}

bool CursorRegistered(TCursor number) {
    return Table().count(number) != 0;
}

const TIcon* CursorImage(TCursor number) {
    const auto it = Table().find(number);
    return it == Table().end() ? nullptr : &it->second.Image;
}

TPoint CursorHotSpot(TCursor number) {
    const auto it = Table().find(number);
    return it == Table().end() ? TPoint{} : it->second.HotSpot;
}

QCursor QtCursor(TCursor number) {
    const auto it = Table().find(number);
    if (it == Table().end())
        return QCursor(ShapeOf(number));
    const QImage& image = QtImage(it->second.Image);
    // On a scaled screen the cursor has the screen's pixels: doubled crisply at whole ratios, resampled
    // at the others. The hot spot stays in the picture's own (logical) pixels.
    const double ratio = Screen().DevicePixelRatio();
    if (ratio == 1.0)
        return QCursor(QPixmap::fromImage(image), it->second.HotSpot.X, it->second.HotSpot.Y);
    const bool whole = ratio == std::floor(ratio);
    QPixmap pixmap =
        QPixmap::fromImage(image.scaled(DeviceRect(image.rect(), ratio).size(), Qt::IgnoreAspectRatio,
                                        whole ? Qt::FastTransformation : Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    return QCursor(pixmap, it->second.HotSpot.X, it->second.HotSpot.Y);
}

void ApplyCursor(QWidget& widget, TCursor number) {
    widget.setProperty(CursorProperty, number);
    if (number == crDefault)
        widget.unsetCursor();
    else
        widget.setCursor(QtCursor(number));
}

} // namespace orvalis
