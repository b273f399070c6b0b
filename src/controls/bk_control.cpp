#include "controls/bk_control.h"
#include "controls/shared_palette.h"
#include "platform/bitmap.h"

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

// A bitmap laid side by side covers the whole control with its pixels (bitmaps are copied, never blended),
// whatever the control's size; what lies under the control then need not be painted.
void TBkControl::UpdateOpacity() {
    const auto* bitmap = dynamic_cast<const TBitmap*>(FBackground.Image().Graphic());
    SetOpaque(bitmap != nullptr && !bitmap->Empty() &&
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
