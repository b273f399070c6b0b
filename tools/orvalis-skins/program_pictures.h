// The pictures built into the program: the splash, the about picture and the list scroll-bar parts.
#pragma once

#include <QImage>

namespace orvalis::skins {

// A density of 2 draws the same picture with twice the pixels each way, for scaled screens.
QImage PaintSplash(int density = 1); // 282x282; its bottom band carries the white loading text and the gauge
QImage
PaintAbout(int density = 1); // 325x325; the publisher's and the maker's marks lie under the two link areas

enum class TScrollPart { Up, Thumb, Down };
QImage PaintScrollPart(TScrollPart part,
                       int density = 1); // 16x16, stretched by the list into its scroll bar squares

} // namespace orvalis::skins
