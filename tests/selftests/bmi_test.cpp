#include "selftests/bmi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orvalis {
namespace {

TEST(ParseBmiNumber, ReadsOnlyAWholeDecimalNumber) {
    const struct {
        std::string Text;
        double Expected;
    } cases[] = {
        {"180", 180},
        {"65,5", 65.5},
        {"1,80e2", 180},
        {"1.8E+2", 180},
        {"  81", 81},
        {"-5", -5},
        {"+7", 7},
        {"1,5,0", 0},
        {"1.5,0", 0},
        {"", 0},
        {"0", 0},
        {"170 cm", 0},
        {"81 ", 0},
        {"nan", 0},
        {"inf", 0},
        {"1e400", 0},
        {"-1e400", 0},
        {".5", 0},
        {"5.", 0},
        {"1e", 0},
        {"1e+", 0},
        {"0x10", 0},
        {"- 5", 0},
        {"1 000", 0},
        {"\t5", 0},
        {std::string(254, ' ') + "7", 7},
        {std::string(255, ' ') + "7", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseBmiNumber(c.Text), c.Expected) << '"' << c.Text << '"';
}

TEST(ComputeBmi, ClassesAndColoursOfTheExamples) {
    constexpr TColor darkRed = TColor::FromRgb(0x800000);
    const struct {
        double Length, Weight;
        int Rounded;
        const char* Section;
        TColor Color;
    } cases[] = {
        {180, 81, 25, "normaalgewicht", clLime},
        {180, 65.5, 20, "ondergewicht", darkRed}, // 20.2 lies above 18
        {180, 55, 17, "ondergewicht", clRed},
        {180, 95, 29, "overgewicht", TColor::FromRgb(0x008000)},
        {180, 110, 34, "obestias", darkRed},
        {180, 150, 46, "mobide obestias", clRed},
        {0, 70, 51, "mobide obestias", clRed}, // no height: 51 by definition
        {180, 0, 0, "ondergewicht", clRed},
        {-180, 81, 25, "normaalgewicht", clLime}, // the height is squared
        {100, 80, 80, "mobide obestias", clRed},
        {100, 20.5, 20, "ondergewicht", darkRed}, // halves go to the even neighbour
        {100, 25.5, 26, "overgewicht", TColor::FromRgb(0x008000)},
        {100, 18, 18, "ondergewicht", clRed}, // exactly 18 is not above it
    };
    for (const auto& c : cases) {
        const TBmiResult result = ComputeBmi(c.Length, c.Weight);
        ASSERT_TRUE(result.Class) << c.Length << "/" << c.Weight;
        EXPECT_EQ(result.Rounded, c.Rounded) << c.Length << "/" << c.Weight;
        EXPECT_STREQ(result.Class->Section, c.Section) << c.Length << "/" << c.Weight;
        EXPECT_EQ(result.Class->Color, c.Color)
            << c.Length << "/" << c.Weight << " " << result.Class->Color.Hex();
    }
}

TEST(ComputeBmi, OutOfRangeOrNoNumberHasNoClass) {
    const struct {
        double Length, Weight;
    } cases[] = {
        {180, -5},     // negative
        {100, 80.6},   // 81 after rounding
        {100, -0.6},   // -1 after rounding
        {1e-200, 80},  // beyond a double: infinite
        {1e-200, -80}, // beyond a double the other way
        {1, 1e300},    // far above 80
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ComputeBmi(c.Length, c.Weight).Class) << c.Length << "/" << c.Weight;
    EXPECT_TRUE(std::isinf(ComputeBmi(1e-200, 80).Bmi));
    EXPECT_TRUE(ComputeBmi(100, -0.4).Class) << "-0.4 rounds to 0";
}

} // namespace
} // namespace orvalis
