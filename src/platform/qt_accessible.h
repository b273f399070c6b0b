#pragma once

// For the platform layer only: what screen readers see of the program's own controls.

class QAccessibleInterface;
class QWidget;

namespace orvalis {

class TControl;

// The accessible object of the widget under a control: its role, name, state, actions, text or value and
// its items as children. None for a control of role arDefault without items: the window system's own
// description of the widget serves.
QAccessibleInterface* ControlAccessible(TControl& control, QWidget* widget);

} // namespace orvalis
