#include "controls/rounding.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvalis {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighborOthersToTheNearest) {
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},  {2.5, 2},  {-0.5, 0},  {-1.5, -2},
                                            {-2.5, -2}, {2.49, 2}, {2.51, 3}, {-2.51, -3}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

} // namespace
} // namespace orvalis
