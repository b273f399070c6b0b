#pragma once

#include "platform/control.h"

namespace orvalis {

enum class TBevel { bvNone, bvLowered, bvRaised };

// A container that fills itself with its colour, optionally with a 1-pixel bevel.
class TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;

    TBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevel value) { SetProperty(FBevelOuter, value); }
    void Paint(TCanvas& canvas) override;

private:
    TBevel FBevelOuter = TBevel::bvNone;
};

} // namespace orvalis
