#pragma once

#include "platform/control.h"

namespace orvalis {

// The program's two hand cursors: the pointing hand over what can be clicked, and the same hand with its
// finger folded over the rest of the window. They take the slots of the stock application-starting and
// help cursors.
constexpr TCursor crHandCursor = crAppStart;      // -19, resource "HandCursor"
constexpr TCursor crHandNoFingersCursor = crHelp; // -20, resource "HandNoFingersCursor"

// Registers both from the program's cursor resources. Any control may call it; it registers once and
// answers whether both cursors are there.
bool RegisterHandCursors();

} // namespace orvalis
