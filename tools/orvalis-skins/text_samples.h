// What the program writes over each background area, at the design positions and in the design
// colours: the contact sheets draw these samples and the tests measure their contrast.
#pragma once

#include "orvalis-skins/skin_table.h"

#include <QColor>

#include <string_view>
#include <vector>

namespace orvalis::skins {

enum class TTextRole {
    Body,    // ordinary text: needs a contrast of at least 4.5 over its area
    Heading, // the bold orange headings, carried by a light ribbon: at least 3.0
    Shadow,  // a shadow copy under a heading or title: not measured
    Face,    // a caption on a button face the program draws itself: measured against the face
};

struct TTextSample {
    TRect Rect; // in the picture's own design coordinates
    QColor Color;
    TTextRole Role;
    int PixelSize;
    bool Bold;
    bool Centered;
    std::string_view Text;
};

std::vector<TTextSample> TextSamples(const TStem& stem);

// WCAG 2 contrast ratio of two opaque colours.
double ContrastRatio(const QColor& a, const QColor& b);

} // namespace orvalis::skins
