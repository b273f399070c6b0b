#pragma once

#include <cstdint>

namespace orvalis {

class TBitmap;
class TCanvas;

enum class EffectStyle { esRandom, esExplode, esImplode };

// Reveals the source bitmap on the destination canvas block by block, at the same places, without delay
// between blocks: random blocks, a spiral from the centre outwards (explode) or from the edge inwards
// (implode). Blocks are blockSize pixels square; a random reveal counts speed blocks per pick. Every
// transition ends by copying the whole bitmap, so the picture is complete whatever the blocks covered.
// A block size or speed below 1 counts as 1.
void RunTransition(const TBitmap& source, TCanvas& dest, int blockSize, EffectStyle style, int speed);

} // namespace orvalis
