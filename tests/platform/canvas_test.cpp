#include "platform/canvas.h"
#include "platform/palette.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace orvalis {
namespace {

using Texts = std::vector<std::string>;

TEST(PaletteScope, SelectsAndRealizesThenRestoresThePreviousPalette) {
    RecordingCanvas canvas;
    const TPalette outer({clBlack}), inner({clBlack, clWhite});
    canvas.SelectPalette(&outer);
    {
        const TPaletteScope scope(canvas, &inner);
        canvas.TextOut(0, 0, "a");
    }
    EXPECT_EQ(canvas.CallTexts(), (Texts{"SelectPalette(1)", "SelectPalette(2)", "RealizePalette()",
                                         "TextOut(0,0,\"a\")", "SelectPalette(1)"}));
    EXPECT_EQ(canvas.SelectPalette(nullptr), &outer);
}

TEST(PaletteScope, WithoutAPalette_ChangesNothing) {
    RecordingCanvas canvas;
    {
        const TPaletteScope scope(canvas, nullptr);
        canvas.TextOut(0, 0, "a");
    }
    EXPECT_EQ(canvas.CallTexts(), (Texts{"TextOut(0,0,\"a\")"}));
}

TEST(PaletteScope, DrawingThatThrows_StillRestoresThePreviousPalette) {
    RecordingCanvas canvas;
    const TPalette palette({clBlack, clWhite});
    EXPECT_THROW(
        {
            const TPaletteScope scope(canvas, &palette);
            throw std::runtime_error("drawing failed");
        },
        std::runtime_error);
    EXPECT_EQ(canvas.CallTexts(), (Texts{"SelectPalette(2)", "RealizePalette()", "SelectPalette(none)"}));
}

} // namespace
} // namespace orvalis
