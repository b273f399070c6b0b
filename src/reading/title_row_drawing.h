#pragma once

#include "controls/text_control.h"

namespace orvalis {

class TBkControl;

// Draws one row of a list of title lines, from the list's owner-draw event, onto the list's paint canvas
// (nothing outside a paint). The row shows the part of the background control's bitmap that lies under
// it, so the list looks transparent over the page picture (without a bitmap, the list's colour); the last
// row also covers the empty area below it. The title is drawn at x + 5, vertically centred, one point
// larger when selected and underlined when hot, and clipped 1.5 scroll widths short of the right edge so
// that it never runs under the scroll bar.
// Prepares a list whose rows DrawTitleRow draws: its lines are named by their titles, as the rows show them
// (what screen readers read), and the list counts as opaque, since its rows cover all of it.
void SetUpTitleRows(GCustomTextControl& list);

void DrawTitleRow(const GCustomTextControl& list, const TBkControl& background, int index, const TRect& rect,
                  TOwnerDrawState state);

} // namespace orvalis
