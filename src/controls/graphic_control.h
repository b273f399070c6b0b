#pragma once

#include "platform/control.h"

namespace orvalis {

using GMouseInOutEvent = std::function<void(TObject* Sender)>;

// The base of the program's window-less controls: it adds the mouse-in and mouse-out events.
class GGraphicControl : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

    GMouseInOutEvent OnMouseIn;
    GMouseInOutEvent OnMouseOut;

    // Raise the events; descendants extend them and call these.
    virtual void MouseIn();
    virtual void MouseOut();

    void MouseEnter() override;
    void MouseLeave() override;
};

} // namespace orvalis
