#pragma once

#include <string>

namespace orvalis {

class TBitmap;
class TCanvas;
class TControl;
class TGraphic;

// Draws a picture at its natural size with its top-left corner at (x, y): a bitmap by a plain block
// transfer, any other graphic by the canvas's draw. Nothing happens without canvas, without graphic or
// for an empty graphic.
void DrawBitmapAt(TCanvas* canvas, int x, int y, const TGraphic* graphic);
// Stretches a picture to width x height at (x, y), with the same guards.
void StretchBitmapInto(TCanvas* canvas, int x, int y, int width, int height, const TGraphic* graphic);

// Loads a bitmap resource of the program (empty module) with a palette made from its own colour table
// into target, which then owns both; false, leaving the target unchanged, when the resource cannot be
// found or decoded. A name that reads as a decimal whole number selects the resource by number. The
// window is where the bitmap will be shown; the platform needs no device of it.
bool LoadPaletteBitmap(const std::string& module, const std::string& name, const TControl* window,
                       TBitmap& target);

} // namespace orvalis
