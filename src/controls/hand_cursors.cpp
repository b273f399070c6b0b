#include "controls/hand_cursors.h"
#include "platform/cursors.h"

namespace orvalis {

bool RegisterHandCursors() {
    if (!CursorRegistered(crHandCursor))
        RegisterCursor(crHandCursor, "HandCursor");
    if (!CursorRegistered(crHandNoFingersCursor))
        RegisterCursor(crHandNoFingersCursor, "HandNoFingersCursor");
    return CursorRegistered(crHandCursor) && CursorRegistered(crHandNoFingersCursor);
}

} // namespace orvalis
