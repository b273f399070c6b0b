#pragma once

// For the platform and imaging layers only: conversions between the system's types and Qt's.

#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

namespace orvalis {

QString FromCp1252(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'.
std::string ToCp1252(const QString& text);

inline QColor ToQColor(TColor c) {
    return QColor(c.R, c.G, c.B);
}
inline TColor FromQColor(const QColor& c) {
    return {uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())};
}
inline QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}
inline TRect FromQRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// "Arial" resolves to the metric-compatible Liberation Sans where Arial itself is not installed.
QFont ToQFont(const TFont& font);

} // namespace orvalis
