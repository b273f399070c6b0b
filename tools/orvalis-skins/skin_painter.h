// Paints the background pictures of the main window, one per stem and screen variant.
#pragma once

#include "orvalis-skins/skin_table.h"

#include <QImage>

namespace orvalis::skins {

// The picture of `stem` at the size of its area in `variant`. Drawn in design coordinates scaled by
// the variant's factor, so every variant shows the same picture.
// A density of 2 draws it with twice the pixels each way, for scaled screens.
QImage PaintBackground(const TStem& stem, const TVariant& variant, int density = 1);

} // namespace orvalis::skins
