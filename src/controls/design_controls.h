#pragma once

#include "controls/base_btn.h"
#include "controls/text_control.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/label.h"

#include <string>

namespace orvalis {

class GParserControl;
class TBkControl;
class TPanel;
class TScrollBox;

// The window's controls as its design describes them at 640x480: the few shapes every area is built
// from, so that each area's layout reads as a table of positions.

constexpr TColor WindowColor = TColor::FromRgb(0xEAD291);
constexpr TColor FaceBrushColor = TColor::FromRgb(0xF8E4B2);
constexpr TColor FacePenColor = TColor::FromRgb(0xEAD291);

struct TTextLook {
    const char* FontName = "Arial";
    int Height = 11; // pixels, without internal leading
    TFontStyles Style;
    TColor Color = clBlack;
    TAlignment Alignment = TAlignment::taLeftJustify;
};

// A transparent label.
TLabel* MakeLabel(TWinControl* parent, TRect bounds, const std::string& caption, const TTextLook& look);

// A title and its shadow one pixel right and below, in Tahoma bold 13 pixels; the shadow is drawn first
// and is not read out by screen readers.
void MakeHeaderPair(TWinControl* parent, int width, const std::string& caption, TLabel*& header,
                    TLabel*& shadow, int left = 15, int top = 0);

// A picture area filling its parent: the picture alone, no frame, no fill.
TBkControl* MakeBackground(TWinControl* parent);

enum class TFace { None, Drawn };

// A button whose caption is centred by fractions of its size, so that it stays centred in every layout.
// Buttons with a face carry the design's face (brush, pen of width 2) over a white shadow one step right
// and down; the others draw only their caption (and their 3-D frames under the mouse).
TBaseBtn* MakeButton(TWinControl* parent, TRect bounds, const std::string& caption, const std::string& hint,
                     TFace face);

// An owner-drawn list with rows of 16 pixels, the hand cursor and the program's scroll-bar pictures.
GTextControl* MakeList(TWinControl* parent, TRect bounds);

TPanel* MakePanel(TWinControl* parent, TAlign align, int width, int height);

// A renderer filling the scroll box's width, over the box's own colour and font, with underlined links and
// its background picture drawn from the top left.
GParserControl* MakeRenderer(TScrollBox* box);

// The design colours of a control as the screen can show them: a label's font colour, a button's brush
// and pen.
void AdaptToScreen(TLabel& label);
void AdaptToScreen(TBaseBtn& button);

} // namespace orvalis
