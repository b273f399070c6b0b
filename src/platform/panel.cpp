#include "platform/panel.h"
#include "platform/canvas.h"

namespace orvalis {

void TPanel::Paint(TCanvas& canvas) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    if (FBevelOuter == TBevel::bvNone)
        return;
    const bool raised = FBevelOuter == TBevel::bvRaised;
    const int w = Width() - 1, h = Height() - 1;
    canvas.Pen() = TPen(raised ? clWhite : clGray);
    canvas.MoveTo(w, 0);
    canvas.LineTo(0, 0);
    canvas.LineTo(0, h);
    canvas.Pen() = TPen(raised ? clGray : clWhite);
    canvas.LineTo(w, h);
    canvas.LineTo(w, 0);
}

} // namespace orvalis
