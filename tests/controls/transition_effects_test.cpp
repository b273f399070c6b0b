#include "controls/transition_effects.h"
#include "platform/bitmap.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace orvalis {
namespace {

using TBlock = std::pair<int, int>;

// The transition's block copies as (column, row) numbered from 1, for blocks of the given side, and whether
// it ended with the copy of the whole bitmap. Every copy must put the source rectangle at the same place.
struct TRun {
    std::vector<TBlock> Blocks;
    bool EndedWithWholeCopy = false;
    std::vector<std::string> Texts;
};

TRun Reveal(int width, int height, int side, EffectStyle style, int speed = 1) {
    TBitmap source(width, height);
    RecordingCanvas canvas;
    RunTransition(source, canvas, side, style, speed);
    TRun run;
    run.Texts = canvas.CallsNamed("CopyRect");
    const std::string whole = "CopyRect(0,0," + std::to_string(width) + "," + std::to_string(height) +
                              ",bitmap " + std::to_string(width) + "x" + std::to_string(height) + ",0,0," +
                              std::to_string(width) + "," + std::to_string(height) + ",cmSrcCopy)";
    EXPECT_FALSE(run.Texts.empty());
    if (run.Texts.empty())
        return run;
    run.EndedWithWholeCopy = run.Texts.back() == whole;
    const int blockSide = std::max(1, side);
    for (size_t i = 0; i + 1 < run.Texts.size(); ++i) {
        int l, t, r, b, sl, st, sr, sb, w, h;
        EXPECT_EQ(std::sscanf(run.Texts[i].c_str(), "CopyRect(%d,%d,%d,%d,bitmap %dx%d,%d,%d,%d,%d,", &l, &t,
                              &r, &b, &w, &h, &sl, &st, &sr, &sb),
                  10);
        EXPECT_EQ(std::tie(l, t, r, b), std::tie(sl, st, sr, sb)) << "a block lands where it comes from";
        EXPECT_EQ(r, std::min(l + blockSide, width));
        EXPECT_EQ(b, std::min(t + blockSide, height));
        run.Blocks.push_back({l / blockSide + 1, t / blockSide + 1});
    }
    return run;
}

TEST(TransitionEffects, Explode_SpiralsOutFromTheCentreAndEndsWithTheWholePicture) {
    const TRun run = Reveal(30, 30, 10, EffectStyle::esExplode);
    EXPECT_EQ(run.Blocks,
              (std::vector<TBlock>{{2, 2}, {2, 1}, {1, 1}, {1, 2}, {1, 3}, {2, 3}, {3, 3}, {3, 2}, {3, 1}}))
        << "centre, then up and left, down and right, up and left one step longer each time";
    EXPECT_TRUE(run.EndedWithWholeCopy);
}

TEST(TransitionEffects, Implode_SpiralsInFromTheEdgeAndEndsWithTheWholePicture) {
    // A wide grid of 4 x 2 blocks: the spiral's square is centred on the rows and starts at the left edge.
    const TRun run = Reveal(40, 20, 10, EffectStyle::esImplode);
    EXPECT_EQ(run.Blocks,
              (std::vector<TBlock>{{1, 1}, {1, 2}, {4, 1}, {3, 1}, {2, 1}, {2, 2}, {4, 2}, {3, 2}}));
    EXPECT_TRUE(run.EndedWithWholeCopy);
}

// The walks stay on their spirals whatever the grid: blocks outside it copy nothing, no block is copied
// twice, and the closing copy shows what the spiral left out (an edge row or column on some grids).
TEST(TransitionEffects, Spirals_OnAnyGridCopyEachBlockAtMostOnceAndEndWithTheWholePicture) {
    for (EffectStyle style : {EffectStyle::esExplode, EffectStyle::esImplode})
        for (const auto& [w, h, side] :
             {std::tuple{1, 1, 1}, std::tuple{25, 12, 10}, std::tuple{12, 25, 10}, std::tuple{70, 20, 10},
              std::tuple{33, 33, 3}, std::tuple{9, 40, 4}}) {
            const TRun run = Reveal(w, h, side, style);
            const std::set<TBlock> distinct(run.Blocks.begin(), run.Blocks.end());
            EXPECT_EQ(distinct.size(), run.Blocks.size()) << w << "x" << h;
            const int cols = (w + side - 1) / side, rows = (h + side - 1) / side;
            for (const TBlock& b : run.Blocks) {
                EXPECT_TRUE(b.first >= 1 && b.first <= cols && b.second >= 1 && b.second <= rows);
            }
            EXPECT_GE(run.Blocks.size(), size_t(cols * rows) / 2) << "the spiral reveals most of the picture";
            EXPECT_TRUE(run.EndedWithWholeCopy) << w << "x" << h;
        }
}

TEST(TransitionEffects, Random_CountsSpeedBlocksPerPickAndEndsWithTheWholePicture) {
    // 4 x 3 blocks: the counter runs from 1 while below 12.
    for (const auto& [speed, picks] :
         {std::pair{1, 11u}, std::pair{2, 6u}, std::pair{5, 3u}, std::pair{255, 1u}}) {
        const TRun run = Reveal(40, 30, 10, EffectStyle::esRandom, speed);
        EXPECT_EQ(run.Blocks.size(), picks) << "speed " << speed;
        EXPECT_TRUE(run.EndedWithWholeCopy);
    }
}

// Sizes and speeds below 1 count as 1, so that the blocks have an area and the counter advances.
TEST(TransitionEffects, SizeOrSpeedBelowOne_StillEnds) {
    for (EffectStyle style : {EffectStyle::esRandom, EffectStyle::esExplode, EffectStyle::esImplode}) {
        EXPECT_TRUE(Reveal(6, 4, 0, style, 0).EndedWithWholeCopy);
        EXPECT_TRUE(Reveal(6, 4, -3, style, -1).EndedWithWholeCopy);
    }
    EXPECT_EQ(Reveal(6, 4, 0, EffectStyle::esRandom, 0).Blocks.size(), 23u) << "one block per pixel";
}

} // namespace
} // namespace orvalis
