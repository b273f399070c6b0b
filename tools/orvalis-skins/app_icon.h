// The program's icon for the desktop's menus, in the sizes of the hicolor icon theme.
#pragma once

#include <QImage>

#include <array>

namespace orvalis::skins {

inline constexpr std::array<int, 9> AppIconSizes{16, 22, 24, 32, 48, 64, 128, 256, 512};

// A size x size picture with transparent corners: an open book on a straw-coloured cover with a leaf
// growing from its spine, drawn on a 256-unit design grid; lines never get thinner than one pixel.
QImage PaintAppIcon(int size);

} // namespace orvalis::skins
