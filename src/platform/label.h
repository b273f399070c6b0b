#pragma once

#include "platform/control.h"

#include <string>
#include <vector>

namespace orvalis {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A line or a wrapped paragraph of text. Transparent labels show their parent where no glyph is.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TWinControl* parent = nullptr);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { SetProperty(FCaption, value); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { SetProperty(FTransparent, value); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value) { SetProperty(FWordWrap, value); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value) { SetProperty(FAlignment, value); }

    // The caption's lines as painted: CR LF breaks, and with WordWrap also breaks at blanks so that
    // each line fits the width (a word wider than the width stands alone).
    std::vector<std::string> Lines(TCanvas& canvas) const;
    void Paint(TCanvas& canvas) override;
    // A label that only decorates another (its shadow) says nothing to screen readers.
    bool Decorative() const { return FDecorative; }
    void SetDecorative(bool value) { FDecorative = value; }
    TAccessibleRole AccessibleRole() const override {
        return FDecorative ? TAccessibleRole::arDefault : TAccessibleRole::arStaticText;
    }
    std::string AccessibleName() const override { return FCaption; }

private:
    std::string FCaption;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FDecorative = false;
    TAlignment FAlignment = TAlignment::taLeftJustify;
};

} // namespace orvalis
