#include "platform/color.h"

#include <cstdio>

namespace orvalis {

std::string TColor::Hex() const {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", R, G, B);
    return text;
}

} // namespace orvalis
