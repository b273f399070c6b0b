#include "platform/qt_keys.h"

namespace orvalis {

int VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Backspace:
        return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vkTab;
    case Qt::Key_PageUp:
        return vkPrior;
    case Qt::Key_PageDown:
        return vkNext;
    case Qt::Key_End:
        return vkEnd;
    case Qt::Key_Home:
        return vkHome;
    case Qt::Key_F1:
        return vkF1;
    case Qt::Key_F3:
        return vkF3;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vkReturn;
    case Qt::Key_Escape:
        return vkEscape;
    case Qt::Key_Left:
        return vkLeft;
    case Qt::Key_Up:
        return vkUp;
    case Qt::Key_Right:
        return vkRight;
    case Qt::Key_Down:
        return vkDown;
    default:
        // Letters and digits have the same numbers as their upper-case characters.
        return qtKey < 0x80 ? qtKey : 0;
    }
}

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
    TShiftState s = 0;
    if (m & Qt::ShiftModifier)
        s |= uint8_t(TShiftFlag::ssShift);
    if (m & Qt::AltModifier)
        s |= uint8_t(TShiftFlag::ssAlt);
    if (m & Qt::ControlModifier)
        s |= uint8_t(TShiftFlag::ssCtrl);
    if (b & Qt::LeftButton)
        s |= uint8_t(TShiftFlag::ssLeft);
    if (b & Qt::RightButton)
        s |= uint8_t(TShiftFlag::ssRight);
    if (b & Qt::MiddleButton)
        s |= uint8_t(TShiftFlag::ssMiddle);
    return s;
}

} // namespace orvalis
