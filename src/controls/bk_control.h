#pragma once

#include "controls/background.h"
#include "platform/control.h"

namespace orvalis {

// A window-less control that only paints its background. 100 x 100 by default.
class TBkControl : public TGraphicControl {
public:
    explicit TBkControl(TWinControl* parent = nullptr);

    TBackground& Background() { return FBackground; }
    const TBackground& Background() const { return FBackground; }
    void SetBackground(const TBackground& value) { FBackground.Assign(value); }

    const TPalette* GetPalette() const override;
    // Nothing while invisible, loading, or already painting this control.
    void Paint(TCanvas& canvas) override;

private:
    void UpdateOpacity();

    TBackground FBackground;
    bool FPainting = false;
};

} // namespace orvalis
