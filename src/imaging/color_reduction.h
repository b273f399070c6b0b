#pragma once

#include <QImage>

namespace orvalis {

// Reduces an image to 1, 4 or 8 bits per pixel (24 gives true colour, 0 leaves it as it is), with error
// diffusion when dither is set and the nearest colour otherwise. 1 bit is black and white, 4 bits the 16
// standard colours; 8 bits keeps the picture's own colours when it has at most 256, otherwise a colour cube.
QImage ReduceColors(const QImage& image, int bits, bool dither);

} // namespace orvalis
