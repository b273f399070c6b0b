#include "app/screen_variant.h"
#include "controls/shared_palette.h"
#include "platform/label.h"
#include "platform/panel.h"
#include "platform/screen.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(ScreenVariant, ChooseScreenVariant_DecidesByTheNarrowerDimension) {
    struct TCase {
        int Width, Height;
        std::optional<TVariantChoice> Expected;
    };
    const TCase cases[] = {
        {1280, 1024, TVariantChoice{2, 1024, 640}}, // narrower than 4:3: decided by the width
        {1024, 768, TVariantChoice{1, 600, 480}},   // exactly 4:3: by the height, 768 rows
        {800, 600, TVariantChoice{0, 1, 1}},
        {1152, 864, TVariantChoice{2, 768, 480}},
        {1152, 720, TVariantChoice{0, 1, 1}}, // wide: the height 720 decides
        {640, 400, std::nullopt},
        {640, 480, TVariantChoice{0, 1, 1}},
        {639, 480, std::nullopt}, // narrower than 4:3 and below 640 columns
        {1023, 1000, TVariantChoice{0, 1, 1}},
        {1151, 1000, TVariantChoice{1, 800, 640}},
        {1920, 863, TVariantChoice{1, 600, 480}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ChooseScreenVariant(c.Width, c.Height), c.Expected) << c.Width << "x" << c.Height;
    EXPECT_EQ(VariantSuffix(0), "6x4");
    EXPECT_EQ(VariantSuffix(1), "8x6");
    EXPECT_EQ(VariantSuffix(2), "10x7");
}

TEST(ScreenVariant, ScaleLength_RoundsHalvesToEven) {
    EXPECT_EQ(ScaleLength(16, 600, 480), 20);
    EXPECT_EQ(ScaleLength(16, 768, 480), 26);   // 25.6
    EXPECT_EQ(ScaleLength(50, 5, 4), 62);       // 62.5
    EXPECT_EQ(ScaleLength(430, 5, 4), 538);     // 537.5
    EXPECT_EQ(ScaleLength(-11, 5, 4), -14);     // -13.75
    EXPECT_EQ(ScaleLength(219, 8, 5), 350);     // 350.4
    EXPECT_EQ(ScaleLength(210, 800, 640), 262); // 262.5
}

TEST(ScreenVariant, ScaleControls_ScalesEdgesAndOwnFontsOnce) {
    TPanel window;
    window.SetBounds(0, 0, 640, 480);
    auto* top = new TPanel(&window);
    top->SetBounds(0, 0, 640, 50);
    auto* below = new TPanel(&window);
    below->SetBounds(0, 50, 640, 380);
    auto* label = new TLabel(below);
    label->SetBounds(90, 5, 460, 22);
    label->Font().SetHeight(-19);
    auto* follower = new TLabel(below);
    ASSERT_TRUE(follower->ParentFont());

    ScaleControls(window, 5, 4);

    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 800, 62));
    EXPECT_EQ(below->BoundsRect(), Bounds(0, 62, 800, 476)) << "edge to edge with the strip above";
    EXPECT_EQ(label->BoundsRect(), Bounds(112, 6, 576, 28));
    EXPECT_EQ(label->Font().Height(), -24);
    EXPECT_EQ(window.Font().Height(), -14);
    EXPECT_EQ(follower->Font().Height(), -14) << "a font that follows its parent is scaled once";
}

TEST(ScreenVariant, CenteredOrigin_TruncatesHalves) {
    EXPECT_EQ(CenteredOrigin({1024, 768}, {800, 600}), (TPoint{112, 84}));
    EXPECT_EQ(CenteredOrigin({1281, 1025}, {1024, 768}), (TPoint{128, 128}));
    EXPECT_EQ(CenteredOrigin({800, 600}, {640, 480}), (TPoint{80, 60}));
}

TEST(ScreenVariant, NearestScreenColor_OnlyOnEightBitScreens) {
    const TColor design = TColor::FromRgb(0xEAD291);
    {
        TScreenOverride trueColor({.BitsPerPixel = 24});
        EXPECT_EQ(NearestScreenColor(design), design);
    }
    {
        TScreenOverride sixteen({.BitsPerPixel = 4});
        EXPECT_EQ(NearestScreenColor(design), design);
    }
    TScreenOverride paletted({.BitsPerPixel = 8});
    ASSERT_NE(SharedPalette256(), nullptr);
    const TColor shown = NearestScreenColor(design);
    EXPECT_EQ(shown, SharedPalette256()->NearestColor(design));
    EXPECT_NE(shown, design) << "the design colour is not one of the palette's";
}

} // namespace
} // namespace orvalis
