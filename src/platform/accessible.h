#pragma once

#include "platform/geometry.h"

#include <cstdint>
#include <string>

namespace orvalis {

// What screen readers are told a control (or a part of one) is. arDefault leaves a control to what the
// window system makes of it: a plain container, an edit, a radio button.
enum class TAccessibleRole : uint8_t {
    arDefault,
    arPushButton,
    arList,
    arListItem,
    arStaticText,
    arText,
    arLink,
    arProgressBar
};

// A part of a control that screen readers see as an object of its own: a line of a list, a link of a text.
struct TAccessibleItem {
    TAccessibleRole Role = TAccessibleRole::arDefault;
    std::string Name;
    TRect Bounds; // in the control's coordinates
    bool Selected = false;
    bool Focused = false; // the keyboard is on it: its control (or the control around it) has the focus
};

// The value of a control shown as a progress bar.
struct TAccessibleValue {
    int Min = 0;
    int Max = 100;
    int Value = 0;
};

} // namespace orvalis
