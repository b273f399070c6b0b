#include "platform/bitmap.h"
#include "platform/measure_canvas.h"
#include "platform/palette.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

using Texts = std::vector<std::string>;

TEST(RecordingCanvas, Calls_RecordCoordinatesAndTheStateInForce) {
    RecordingCanvas c;
    const TBitmap picture(30, 20);
    const TPalette palette({clBlack, clWhite});
    c.Pen().SetColor(clRed);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Rectangle(0, 0, 100, 100);
    c.MoveTo(1, 2);
    c.LineTo(3, 4);
    c.Draw(10, -5, picture);
    c.StretchDraw({0, 0, 99, 99}, picture);
    c.CopyRect({1, 1, 31, 21}, picture, {0, 0, 30, 20}, TCopyMode::cmSrcInvert);
    c.SetStretchMode(TStretchMode::smColorOnColor);
    EXPECT_EQ(c.SelectPalette(&palette), nullptr);
    c.RealizePalette();
    EXPECT_EQ(c.SelectPalette(nullptr), &palette);
    c.Pie({0, 0, 10, 10}, {10, 5}, {5, 0});
    c.TextOut(2, 3, "ab");

    EXPECT_EQ(c.CallTexts(),
              (Texts{"Rectangle(0,0,100,100)", "Line(1,2,3,4)", "Draw(10,-5,bitmap 30x20)",
                     "StretchDraw(0,0,99,99,bitmap 30x20)",
                     "CopyRect(1,1,31,21,bitmap 30x20,0,0,30,20,cmSrcInvert)",
                     "SetStretchMode(smColorOnColor)", "SelectPalette(2)", "RealizePalette()",
                     "SelectPalette(none)", "Pie(0,0,10,10,10,5,5,0)", "TextOut(2,3,\"ab\")"}));
    EXPECT_EQ(c.Calls()[0].Pen.Color(), clRed);
    EXPECT_EQ(c.Calls()[0].Brush.Style(), TBrushStyle::bsClear);
    EXPECT_EQ(c.Calls()[2].Graphic, &picture);
    EXPECT_EQ(c.CallsNamed("SelectPalette"), (Texts{"SelectPalette(2)", "SelectPalette(none)"}));
}

TEST(RecordingCanvas, TextExtent_UsesFixedMetricsAndIsNotADrawingCall) {
    RecordingCanvas c(7, 12);
    c.Font().SetHeight(-40);
    EXPECT_EQ(c.TextExtent("abc"), (TSize{21, 12}));
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_TRUE(c.Calls().empty());
    EXPECT_EQ(c.MeasureCount(), 2);
}

TEST(MeasureCanvas, Factory_IsReplaceableAndRestorable) {
    auto previous = SetMeasureCanvasFactory([] { return std::make_unique<RecordingCanvas>(5, 9); });
    EXPECT_EQ(CreateMeasureCanvas()->TextExtent("abcd"), (TSize{20, 9}));
    SetMeasureCanvasFactory(previous);
    const TSize real = CreateMeasureCanvas()->TextExtent("abcd");
    EXPECT_GT(real.cx, 0);
    EXPECT_NE(real, (TSize{20, 9}));
}

} // namespace
} // namespace orvalis
