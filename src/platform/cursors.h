#pragma once

#include "platform/control.h"
#include "platform/geometry.h"

#include <string_view>

namespace orvalis {

class TIcon;

// The program's cursor table. A cursor number shows the system's look for it unless the program has
// registered a picture of its own for that number. Cursor resources are pictures in XPM form compiled into
// the program under ":/cursors/" + name; their hot spot is the optional pair after the four sizes of the
// XPM values line.

// Registers the cursor resource for the number; controls and the screen cursor already showing that
// number take the new look. False, leaving the table unchanged, when the resource is missing or cannot be
// decoded. Registering again replaces the entry.
bool RegisterCursor(TCursor number, std::string_view resourceName);
bool CursorRegistered(TCursor number);
// The picture of a registered cursor and its hot spot; none and (0, 0) for a number without one.
const TIcon* CursorImage(TCursor number);
TPoint CursorHotSpot(TCursor number);

} // namespace orvalis
