// The pictures built into the program: the splash, the about picture and the list scroll-bar parts.
#pragma once

#include <QImage>

namespace orvalis::skins {

QImage PaintSplash(); // 282x282; its bottom band carries the white loading text and the gauge
QImage PaintAbout();  // 325x325; the publisher's and the maker's marks lie under the two link areas

enum class TScrollPart { Up, Thumb, Down };
QImage PaintScrollPart(TScrollPart part); // 16x16, stretched by the list into its scroll bar squares

} // namespace orvalis::skins
