#pragma once

#include "platform/color.h"
#include "platform/palette.h"

#include <optional>

namespace orvalis {

// The palette every picture is drawn with on screens of 8 bits per pixel or fewer: the 16-colour one
// (from the bitmap resource "PAL16") at 7 bits or less, the 256-colour one ("PAL256") at exactly 8, none
// above. This is the one place that answers by the screen's depth: controls take what it answers without a
// depth test of their own. The palettes are built on first use, or again by BuildSharedPalettes, and
// released by FreeSharedPalettes at the end of the program.
const TPalette* SharedPalette();

// The colour the screen shows for a design colour: on screens of exactly 8 bits per pixel the nearest
// colour of the shared palette (the palette the program realises there), elsewhere the colour itself.
TColor NearestScreenColor(TColor color);

void BuildSharedPalettes();
void FreeSharedPalettes();
const TPalette* SharedPalette16();
const TPalette* SharedPalette256();

} // namespace orvalis
