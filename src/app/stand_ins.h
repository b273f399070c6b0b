#pragma once

// Stand-ins for the three control classes that are being built in parallel: the skinned button
// (TBaseBtn), the owner-drawn list (GTextControl) and the markup renderer (GParserControl). The main window
// names its controls of those classes only through the three aliases at the end, so that the real classes
// replace these by changing the aliases. Each stand-in carries the properties the start-up sets and paints
// plainly; none of them has the real behaviour.

#include "controls/background.h"
#include "controls/graphic_control.h"
#include "platform/brush.h"
#include "platform/font.h"
#include "platform/pen.h"

#include <functional>
#include <string>
#include <vector>

namespace orvalis {

// A button: caption, optional face (a rounded rectangle in Brush and Pen), and the click of the base.
class TBaseBtnStandIn : public GGraphicControl {
public:
    explicit TBaseBtnStandIn(TWinControl* parent = nullptr);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    bool Face() const { return FFace; }
    void SetFace(bool value);
    TBrush& Brush() { return FBrush; }
    TPen& Pen() { return FPen; }

    void Paint(TCanvas& canvas) override;

private:
    std::string FCaption;
    bool FFace = false;
    TBrush FBrush;
    TPen FPen;
};

// A list of lines with an item height; it draws nothing, so the page picture shows through.
class GTextControlStandIn : public GGraphicControl {
public:
    using GGraphicControl::GGraphicControl;

    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value) { FItemHeight = value; }
    std::vector<std::string>& Items() { return FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value) { FItemIndex = value; }

private:
    int FItemHeight = 16;
    int FItemIndex = -1;
    std::vector<std::string> FItems;
};

using GHyperLinkClickStandIn = std::function<void(TObject* Sender, const std::string& HRef)>;

// A text area: it holds its text unrendered and paints its background picture at the offsets dX, dY,
// as the renderer does under its text.
class GParserControlStandIn : public GGraphicControl {
public:
    explicit GParserControlStandIn(TWinControl* parent = nullptr);

    TBackground& Background() { return FBackground; }
    int dX() const { return FDX; }
    void SetdX(int value);
    int dY() const { return FDY; }
    void SetdY(int value);
    bool DrawFocused() const { return FDrawFocused; }
    void SetDrawFocused(bool value) { FDrawFocused = value; }
    TFont& HyperLinkFont() { return FHyperLinkFont; }
    const std::string& GetText() const { return FText; }
    void SetText(const std::string& value) { FText = value; }

    GHyperLinkClickStandIn OnHyperLinkClick;

    const TPalette* GetPalette() const override;
    void Paint(TCanvas& canvas) override;

private:
    TBackground FBackground;
    int FDX = 0;
    int FDY = 0;
    bool FDrawFocused = true;
    TFont FHyperLinkFont;
    std::string FText;
};

using TMainFormButton = TBaseBtnStandIn;
using TMainFormList = GTextControlStandIn;
using TMainFormRenderer = GParserControlStandIn;

} // namespace orvalis
