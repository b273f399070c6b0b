#include "platform/label.h"
#include "platform/page_stack.h"
#include "platform/panel.h"
#include "platform/recording_canvas.h"
#include "platform/shape.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

using Texts = std::vector<std::string>;

TEST(Label, WordWrapAndAlignment_PlaceEachLine) {
    TLabel label;
    label.SetBounds(0, 0, 40, 50);
    label.SetCaption("aa bb ccccccc d\r\nee");
    RecordingCanvas canvas(4, 10);
    EXPECT_EQ(label.Lines(canvas), (Texts{"aa bb ccccccc d", "ee"})) << "no wrapping unless asked";
    label.SetWordWrap(true);
    EXPECT_EQ(label.Lines(canvas), (Texts{"aa bb", "ccccccc d", "ee"}));
    label.SetCaption("aaaaaaaaaaaa b");
    EXPECT_EQ(label.Lines(canvas), (Texts{"aaaaaaaaaaaa", "b"}))
        << "a word wider than the label stands alone";

    label.SetCaption("ab\r\n\r\ncd");
    label.SetAlignment(TAlignment::taRightJustify);
    label.SetTransparent(true);
    label.Paint(canvas);
    EXPECT_EQ(canvas.CallTexts(),
              (Texts{"TextRect(0,0,40,50,32,0,\"ab\")", "TextRect(0,0,40,50,32,20,\"cd\")"}));
    canvas.Clear();
    label.SetTransparent(false);
    label.SetAlignment(TAlignment::taCenter);
    label.SetCaption("abc");
    label.Paint(canvas);
    EXPECT_EQ(canvas.CallTexts(), (Texts{"FillRect(0,0,40,50)", "TextRect(0,0,40,50,14,0,\"abc\")"}));
}

TEST(PageStack, OnlyTheActiveNamedPageShows) {
    TPageStack stack;
    stack.SetBounds(0, 0, 100, 80);
    TPage& intro = stack.AddPage("IntroPage");
    TPage& main = stack.AddPage("MainPage");
    EXPECT_EQ(stack.ActivePage(), &intro);
    EXPECT_TRUE(intro.Visible());
    EXPECT_FALSE(main.Visible());
    EXPECT_EQ(main.BoundsRect(), (TRect{0, 0, 100, 80})) << "pages fill the stack";
    int changes = 0;
    stack.OnPageChanged = [&](TObject*) { ++changes; };
    EXPECT_TRUE(stack.SetActivePage("MainPage"));
    EXPECT_TRUE(stack.SetActivePage("MainPage"));
    EXPECT_FALSE(stack.SetActivePage("Nowhere"));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(intro.Visible());
    EXPECT_TRUE(main.Visible());
    EXPECT_EQ(stack.ActivePage(), &main);
}

TEST(PanelAndShape, Paint) {
    TPanel panel;
    panel.SetBounds(0, 0, 10, 8);
    panel.SetColor(clSilver);
    panel.SetBevelOuter(TBevel::bvLowered);
    RecordingCanvas canvas;
    panel.Paint(canvas);
    EXPECT_EQ(canvas.CallTexts(), (Texts{"FillRect(0,0,10,8)", "Line(9,0,0,0)", "Line(0,0,0,7)",
                                         "Line(0,7,9,7)", "Line(9,7,9,0)"}));
    EXPECT_EQ(canvas.Calls()[1].Pen.Color(), clGray);

    TShape shape;
    shape.SetBounds(0, 0, 60, 40);
    shape.SetShape(TShapeType::stCircle);
    shape.Brush().SetColor(clRed);
    canvas.Clear();
    shape.Paint(canvas);
    EXPECT_EQ(canvas.CallTexts(), (Texts{"Ellipse(10,0,50,40)"}));
    EXPECT_EQ(canvas.Calls()[0].Brush.Color(), clRed);
}

} // namespace
} // namespace orvalis
