#include "controls/base_btn.h"
#include "controls/bitmap_drawing.h"
#include "controls/proportional_image.h"
#include "controls/shared_palette.h"
#include "imaging/pmulti_image.h"
#include "platform/bitmap.h"
#include "platform/recording_canvas.h"
#include "platform/screen.h"

#include <gtest/gtest.h>
#include <set>

namespace orvalis {
namespace {

TEST(SharedPalette, Resources_HoldTheSystemColorsAtBothEnds) {
    BuildSharedPalettes();
    const TPalette* p16 = SharedPalette16();
    ASSERT_NE(p16, nullptr);
    const uint32_t system16[] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                 0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    ASSERT_EQ(p16->Count(), 16u);
    for (size_t i = 0; i < 16; ++i)
        EXPECT_EQ(p16->Entry(i).Rgb(), system16[i]) << i;

    const TPalette* p256 = SharedPalette256();
    ASSERT_NE(p256, nullptr);
    ASSERT_EQ(p256->Count(), 256u);
    EXPECT_EQ(p256->Entry(8).Rgb(), 0xC0DCC0u);
    EXPECT_EQ(p256->Entry(9).Rgb(), 0xA6CAF0u);
    EXPECT_EQ(p256->Entry(246).Rgb(), 0xFFFBF0u);
    EXPECT_EQ(p256->Entry(247).Rgb(), 0xA0A0A4u);
    EXPECT_EQ(p256->Entry(255).Rgb(), 0xFFFFFFu);
    EXPECT_EQ(p256->Entry(10).Rgb(), 0x2A3FAAu);
    EXPECT_EQ(p256->Entry(11).Rgb(), 0x2A3FFFu);
    EXPECT_EQ(p256->Entry(12).Rgb(), 0x2A5F00u);
    EXPECT_EQ(p256->Entry(13).Rgb(), 0x2A5F55u);
    std::set<uint32_t> middle;
    for (size_t i = 10; i < 246; ++i) {
        const TColor c = p256->Entry(i);
        EXPECT_TRUE(c.B == 0x00 || c.B == 0x55 || c.B == 0xAA || c.B == 0xFF) << i;
        middle.insert(c.Rgb());
    }
    EXPECT_EQ(middle.size(), 236u) << "no picture colour is given twice";
}

TEST(SharedPalette, ChoiceFollowsTheScreenDepth) {
    struct Case {
        int Bits;
        size_t Count;
    };
    for (const Case c : {Case{1, 16}, Case{4, 16}, Case{7, 16}, Case{8, 256}, Case{15, 0}, Case{24, 0}}) {
        TScreenOverride screen({.BitsPerPixel = c.Bits});
        const TPalette* p = SharedPalette();
        EXPECT_EQ(p ? p->Count() : 0u, c.Count) << c.Bits;
    }
    FreeSharedPalettes();
    TScreenOverride screen({.BitsPerPixel = 8});
    EXPECT_NE(SharedPalette(), nullptr) << "built again on use after being freed";
}

// The controls take the palette as the shared one answers it, without a depth test of their own.
TEST(SharedPalette, ControlsPaintedAtEachDepth_SelectThePaletteItChooses) {
    struct Case {
        int Bits;
        const char* Selected;
    };
    TBaseBtn button;
    button.SetBounds(0, 0, 20, 10);
    TProportionalImage image;
    image.SetBounds(0, 0, 20, 10);
    for (const Case c : {Case{4, "SelectPalette(16)"}, Case{8, "SelectPalette(256)"}, Case{16, nullptr},
                         Case{24, nullptr}}) {
        TScreenOverride screen({.BitsPerPixel = c.Bits});
        for (const auto& [name, control] : {std::pair<const char*, TControl*>{"button", &button},
                                            std::pair<const char*, TControl*>{"image", &image}}) {
            RecordingCanvas canvas;
            control->Paint(canvas);
            std::vector<std::string> selected;
            for (const std::string& t : canvas.CallTexts())
                if (t.rfind("SelectPalette", 0) == 0)
                    selected.push_back(t);
            const std::vector<std::string> expected =
                c.Selected ? std::vector<std::string>{c.Selected, "SelectPalette(none)"}
                           : std::vector<std::string>{};
            EXPECT_EQ(selected, expected) << c.Bits << " bits, " << name;
        }
    }
}

TEST(LoadPaletteBitmap, ResourceWithItsOwnPalette_OrFalseLeavingTheTarget) {
    TBitmap target(3, 3);
    EXPECT_TRUE(LoadPaletteBitmap("", "PAL256", nullptr, target));
    EXPECT_EQ(target.Width(), 10);
    EXPECT_EQ(target.PixelFormat(), TPixelFormat::pf8bit);
    ASSERT_TRUE(target.Palette());
    EXPECT_EQ(target.Palette()->Entry(10).Rgb(), 0x2A3FAAu);
    EXPECT_EQ(target.Pixel(0, 9), target.Palette()->Entry(0)) << "the bottom-up first row holds entry 0";

    EXPECT_FALSE(LoadPaletteBitmap("", "Intro256", nullptr, target));
    EXPECT_FALSE(LoadPaletteBitmap("other.dll", "PAL16", nullptr, target));
    EXPECT_FALSE(LoadPaletteBitmap("", "101", nullptr, target));
    EXPECT_EQ(target.Width(), 10);
}

TEST(PMultiImage, ResName_LoadsTheProgramsBitmapResource) {
    TPMultiImage image;
    image.SetImageName("PAL16.RES");
    ASSERT_NE(image.Picture().Bitmap(), nullptr);
    EXPECT_EQ(image.Picture().Bitmap()->PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(image.Picture().Bitmap()->Palette()->Count(), 16u);
}

} // namespace
} // namespace orvalis
