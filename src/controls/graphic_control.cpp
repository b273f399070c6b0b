#include "controls/graphic_control.h"

namespace orvalis {

void GGraphicControl::MouseIn() {
    if (OnMouseIn)
        OnMouseIn(this);
}

void GGraphicControl::MouseOut() {
    if (OnMouseOut)
        OnMouseOut(this);
}

void GGraphicControl::MouseEnter() {
    TGraphicControl::MouseEnter();
    MouseIn();
}

void GGraphicControl::MouseLeave() {
    TGraphicControl::MouseLeave();
    MouseOut();
}

} // namespace orvalis
