#include "controls/bk_control.h"
#include "controls/shared_palette.h"

namespace orvalis {

TBkControl::TBkControl(TWinControl* parent) : TGraphicControl(parent) {
    SetBounds(0, 0, 100, 100);
    auto invalidate = [this](TObject*) { Invalidate(); };
    FBackground.OnChange = invalidate;
    FBackground.Image().OnChange = invalidate;
    FBackground.Pen().OnChange = invalidate;
    FBackground.Brush().OnChange = invalidate;
}

const TPalette* TBkControl::GetPalette() const {
    return SharedPalette();
}

void TBkControl::Paint(TCanvas& canvas) {
    if (!Visible() || Loading() || FPainting)
        return;
    struct TGuard {
        bool& Flag;
        ~TGuard() { Flag = false; }
    } guard{FPainting = true};
    PaintBackground(canvas, Width(), Height(), FBackground, 0, 0, GetPalette());
}

} // namespace orvalis
