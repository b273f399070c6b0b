#include "platform/mouse.h"

#include <QCursor>

namespace orvalis {

TPoint TMouse::CursorPos() const {
    if (FOverride)
        return *FOverride;
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

TMouse& Mouse() {
    static TMouse mouse;
    return mouse;
}

} // namespace orvalis
