#pragma once

// For the platform layer only: the key codes and shift states of Qt's key and mouse reports.

#include "platform/control.h"

#include <Qt>

namespace orvalis {

// The window system's virtual-key number of a Qt key; 0 for keys the program does not know.
int VirtualKey(int qtKey);
// The modifier keys and mouse buttons held.
TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b);

} // namespace orvalis
