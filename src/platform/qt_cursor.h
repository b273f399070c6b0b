#pragma once

// For the platform layer only: the Qt cursor of a cursor number.

#include "platform/control.h"

#include <QCursor>

namespace orvalis {

// The registered picture of the number, else the system cursor that corresponds to it.
QCursor QtCursor(TCursor number);
// Widgets remember the number they show, so that a later registration can update them.
void ApplyCursor(QWidget& widget, TCursor number);

} // namespace orvalis
