#include "platform/canvas.h"

namespace orvalis {

TCanvas::~TCanvas() = default;

void TCanvas::MoveTo(int x, int y) {
    FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    DrawLine(FPenPos, {x, y});
    FPenPos = {x, y};
}

} // namespace orvalis
