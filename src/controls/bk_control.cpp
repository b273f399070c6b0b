#include "controls/bk_control.h"
#include "controls/shared_palette.h"

namespace orvalis {

TBkControl::TBkControl(TWinControl* parent) : TGraphicControl(parent) {
    SetBounds(0, 0, 100, 100);
    auto invalidate = [this](TObject*) { Invalidate(); };
    auto changed = [this](TObject*) {
        UpdateOpacity();
        Invalidate();
    };
    FBackground.OnChange = changed;
    FBackground.Image().OnChange = changed;
    FBackground.Pen().OnChange = invalidate;
    FBackground.Brush().OnChange = invalidate;
}

// An opaque picture laid side by side covers the whole control, whatever its size; what lies under the
// control then need not be painted.
void TBkControl::UpdateOpacity() {
    SetOpaque(OpaquePicture(FBackground) != nullptr &&
              FBackground.ImageDrawStyle() == TImageDrawStyle::idsAlongside);
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
