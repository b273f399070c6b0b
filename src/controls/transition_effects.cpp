#include "controls/transition_effects.h"
#include "controls/rounding.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <algorithm>
#include <random>

namespace orvalis {

namespace {
// The bitmap cut into columns and rows of blocks, the last ones narrower where the size leaves a rest.
class TBlockGrid {
public:
    TBlockGrid(const TBitmap& source, TCanvas& dest, int side)
        : FSource(source), FDest(dest), FSide(side), FWidth(source.Width()), FHeight(source.Height()),
          FCols(Count(FWidth, side)), FRows(Count(FHeight, side)) {}

    int Cols() const { return FCols; }
    int Rows() const { return FRows; }

    // Block (x, y), numbered from 1; a block outside the grid copies nothing.
    void Copy(int x, int y) {
        if (x < 1 || x > FCols || y < 1 || y > FRows)
            return;
        const TRect block{(x - 1) * FSide, (y - 1) * FSide, std::min(x * FSide, FWidth),
                          std::min(y * FSide, FHeight)};
        FDest.CopyRect(block, FSource, block, TCopyMode::cmSrcCopy);
    }
    // Moves steps blocks by (dx, dy), copying the block at each step.
    void Walk(int& x, int& y, int steps, int dx, int dy) {
        for (int i = 0; i < steps; ++i) {
            x += dx;
            y += dy;
            Copy(x, y);
        }
    }
    void CopyAll() {
        const TRect all{0, 0, FWidth, FHeight};
        FDest.CopyRect(all, FSource, all, TCopyMode::cmSrcCopy);
    }

private:
    static int Count(int length, int side) { return length / side + (length % side != 0 ? 1 : 0); }

    const TBitmap& FSource;
    TCanvas& FDest;
    int FSide, FWidth, FHeight, FCols, FRows;
};

void Random(TBlockGrid& grid, int speed) {
    std::minstd_rand random(std::random_device{}());
    std::uniform_int_distribution<int> col(1, std::max(1, grid.Cols()));
    std::uniform_int_distribution<int> row(1, std::max(1, grid.Rows()));
    const int64_t blocks = int64_t(grid.Cols()) * grid.Rows();
    for (int64_t counter = 1; counter < blocks; counter += speed) {
        const int x = col(random);
        grid.Copy(x, row(random));
    }
}

// A spiral from the centre block: up and left on odd legs, down and right on even ones, each leg one block
// longer, until it has passed the top-left corner.
void Explode(TBlockGrid& grid) {
    int x = RoundHalfEven(grid.Cols() / 2.0), y = RoundHalfEven(grid.Rows() / 2.0);
    grid.Copy(x, y);
    for (int k = 1; x > 0 || y > 0; ++k) {
        const int step = k % 2 == 1 ? -1 : 1;
        grid.Walk(x, y, k, 0, step);
        grid.Walk(x, y, k, step, 0);
    }
}

// A spiral from the left or top edge of the square around the grid inwards, each pair of legs one block
// shorter.
void Implode(TBlockGrid& grid) {
    const int cols = grid.Cols(), rows = grid.Rows();
    int k, x, y;
    if (cols > rows) {
        k = cols;
        x = 1;
        y = 1 - RoundHalfEven((cols - rows) / 2.0);
    } else {
        k = rows;
        x = 1 - RoundHalfEven((rows - cols) / 2.0);
        y = 1;
    }
    if (k % 2 == 1)
        ++k;
    for (; k > 0; --k) {
        const int step = k % 2 == 0 ? 1 : -1;
        grid.Walk(x, y, k, 0, step);
        grid.Walk(x, y, k, step, 0);
    }
}
} // namespace

void RunTransition(const TBitmap& source, TCanvas& dest, int blockSize, EffectStyle style, int speed) {
    TBlockGrid grid(source, dest, std::max(1, blockSize));
    switch (style) {
    case EffectStyle::esRandom:
        Random(grid, std::max(1, speed));
        break;
    case EffectStyle::esExplode:
        Explode(grid);
        break;
    case EffectStyle::esImplode:
        Implode(grid);
        break;
    }
    grid.CopyAll();
}

} // namespace orvalis
