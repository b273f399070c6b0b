// The renderer's reading comforts: the text size and the marked hits.
#include "controls/parser_control.h"

#include "platform/measure_canvas.h"
#include "platform/panel.h"
#include "platform/recording_canvas.h"
#include "platform/scroll_box.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvalis {
namespace {

// Measures as a real font does in proportion: a character half the font's pixel size wide, a line its
// pixel size high, so that a larger font lays out wider and taller.
class ProportionalCanvas : public RecordingCanvas {
public:
    TSize TextExtent(std::string_view text) override {
        const int size = Font().PixelSize();
        return {int(text.size()) * size / 2, size};
    }
};

// What a paint drew: each word with its position and the pixel size of its font.
std::vector<std::string> DrawnWords(GParserControl& control) {
    ProportionalCanvas canvas;
    control.Paint(canvas);
    std::vector<std::string> out;
    for (const TCanvasCall& call : canvas.Calls())
        if (call.Text.rfind("TextOut", 0) == 0)
            out.push_back(call.Text + " " + std::to_string(call.Font.PixelSize()));
    return out;
}

std::vector<TRect> LinkAreas(GParserControl& control) {
    std::vector<TRect> out;
    for (int32_t i = 1; i <= control.HyperLinks().Count(); ++i)
        out.push_back(static_cast<const THyperLinkArea*>(control.HyperLinks().Get(i))->Area);
    return out;
}

class ParserComfortsTest : public ::testing::Test {
protected:
    ParserComfortsTest() {
        FPreviousFactory = SetMeasureCanvasFactory([] { return std::make_unique<ProportionalCanvas>(); });
    }
    ~ParserComfortsTest() override { SetMeasureCanvasFactory(FPreviousFactory); }

    // A renderer as the window has it: inside a scroll box, growing downwards, in a font of that height.
    GParserControl* InBox(TScrollBox& box, int fontHeight) {
        box.SetBounds(0, 0, 300, 120);
        auto* control = new GParserControl(&box);
        control->SetBounds(0, 0, 300, 120);
        control->SetAlign(TAlign::alTop);
        TFont font = control->Font();
        font.SetHeight(fontHeight);
        control->SetFont(font);
        font.SetStyle(TFontStyle::fsUnderline);
        control->HyperLinkFont().Assign(font);
        box.Widget()->show(); // the box takes its scroll range when shown
        return control;
    }

    TMeasureCanvasFactory FPreviousFactory;
};

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "Regel " + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(ParserComfortsTest, Zoom_At150_LaysOutAsFontsOneAndAHalfTimesLarger) {
    const std::string text = "Een <B>vette</B> zin met een <A HREF=zink>verwijzing naar zink en ijzer</A>, "
                             "die over de regel loopt.\r\nTweede alinea <I>schuin</I> en verder.";
    TScrollBox zoomedBox, largerBox;
    GParserControl* zoomed = InBox(zoomedBox, -20);
    GParserControl* larger = InBox(largerBox, -30);
    zoomed->SetText(text);
    larger->SetText(text);

    zoomed->SetZoom(150);

    EXPECT_EQ(zoomed->Zoom(), 150);
    const std::vector<std::string> words = DrawnWords(*zoomed);
    EXPECT_EQ(words, DrawnWords(*larger));
    EXPECT_GT(words.size(), 10u);
    EXPECT_EQ(LinkAreas(*zoomed), LinkAreas(*larger));
    EXPECT_GE(LinkAreas(*zoomed).size(), 2u) << "the link wraps at this size";
    EXPECT_EQ(zoomed->YMax(), larger->YMax());
    EXPECT_EQ(zoomed->Height(), larger->Height());
    // The control's own fonts, which printing and copying use, keep their size.
    EXPECT_EQ(zoomed->Font().Height(), -20);
    EXPECT_EQ(zoomed->HyperLinkFont().Height(), -20);

    zoomed->SetZoom(100);
    TScrollBox plainBox;
    GParserControl* plain = InBox(plainBox, -20);
    plain->SetText(text);
    EXPECT_EQ(DrawnWords(*zoomed), DrawnWords(*plain));
}

TEST_F(ParserComfortsTest, Zoom_SizeTagsGrowWithTheTextAndStillUndoThemselves) {
    TScrollBox box;
    GParserControl* control = InBox(box, -16);
    control->SetText("<FONT SIZE=+4>Kop</FONT SIZE=-4> tekst");
    control->SetZoom(150);

    TFont heading = ZoomedFont(control->Font(), 150);
    const int body = heading.PixelSize();
    heading.SetSize(heading.Size() + 6);
    const std::vector<std::string> words = DrawnWords(*control);
    ASSERT_EQ(words.size(), 3u); // "Kop", the blank, "tekst"
    EXPECT_EQ(words[0].substr(words[0].rfind(' ') + 1), std::to_string(heading.PixelSize()));
    EXPECT_EQ(words[2].substr(words[2].rfind(' ') + 1), std::to_string(body));
}

TEST_F(ParserComfortsTest, Zoom_StepsStayWithinTheSizesAReaderCanChoose) {
    struct Case {
        int From, Steps, Expected;
    } cases[] = {{100, 1, 115}, {115, 1, 130},   {130, 1, 150},  {150, 1, 175},
                 {175, 1, 200}, {200, 1, 200},   {100, -1, 100}, {150, -2, 115},
                 {120, 0, 115}, {5000, -1, 175}, {-3, 1, 115},   {100, 99, 200}};
    for (const Case& c : cases)
        EXPECT_EQ(StepTextZoom(c.From, c.Steps), c.Expected) << c.From << " " << c.Steps;

    TScrollBox box;
    GParserControl* control = InBox(box, -16);
    control->SetZoom(140);
    EXPECT_EQ(control->Zoom(), 130) << "a size between the steps takes the step below";
}

TEST_F(ParserComfortsTest, Zoom_InAScrollBox_KeepsTheLineAtTheTopOfTheView) {
    TScrollBox box;
    GParserControl* control = InBox(box, -16);
    control->SetText(Lines(60));
    box.SetVertScrollPosition(10 * 16); // "Regel 11" at the top
    ASSERT_EQ(box.VertScrollPosition(), 160);

    control->SetZoom(200);
    EXPECT_EQ(box.VertScrollPosition(), 10 * 32);
    control->SetZoom(115);
    EXPECT_EQ(box.VertScrollPosition(), 10 * 18);
    control->SetZoom(100);
    EXPECT_EQ(box.VertScrollPosition(), 160);
}

TEST_F(ParserComfortsTest, CtrlWheel_StepsTheSizeAndRaisesTheChange_PlainWheelDoesNot) {
    TScrollBox box;
    GParserControl* control = InBox(box, -16);
    control->SetText(Lines(60));
    int changes = 0;
    control->OnZoomChange = [&](TObject* sender) {
        EXPECT_EQ(sender, control);
        ++changes;
    };
    const TShiftState ctrl = uint8_t(TShiftFlag::ssCtrl);
    EXPECT_TRUE(control->MouseWheel(2, ctrl, 5, 5));
    EXPECT_EQ(control->Zoom(), 130);
    EXPECT_TRUE(control->MouseWheel(-1, ctrl, 5, 5));
    EXPECT_EQ(control->Zoom(), 115);
    EXPECT_TRUE(control->MouseWheel(-5, ctrl, 5, 5));
    EXPECT_TRUE(control->MouseWheel(-1, ctrl, 5, 5))
        << "at the smallest size the wheel still does not scroll";
    EXPECT_EQ(control->Zoom(), 100);
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(control->MouseWheel(1, 0, 5, 5)) << "without Ctrl the scroll box scrolls";
    EXPECT_EQ(control->Zoom(), 100);
}

// The mark's rectangles as the text had them painted: where each marked word was drawn.
TEST_F(ParserComfortsTest, Marks_AreFilledBehindTheGlyphsOfExactlyTheMatchedWords) {
    TScrollBox box;
    GParserControl* control = InBox(box, -16);
    control->SetText("Veel <B>Vitamine</B> D in vis.\r\nMeer <A HREF=x>vitamine d</A>, of vitamine\r\nD niet."
                     "<HIDE> vitamine d<SHOW>");
    control->MarkQuery("+vitamine d", true);

    // "Vitamine D" over the bold run and its blank, the link's words; the last pair is split by a line
    // break and is not one phrase, and the hidden passage is not there to read.
    ASSERT_EQ(control->MarkCount(), 2);
    EXPECT_EQ(control->CurrentMark(), 1);
    const int x0 = 2 + 5 * 8; // after "Veel "
    EXPECT_EQ(control->MarkRects(1), (std::vector<TRect>{{x0, 0, x0 + 8 * 8, 16},
                                                         {x0 + 8 * 8, 0, x0 + 9 * 8, 16},
                                                         {x0 + 9 * 8, 0, x0 + 10 * 8, 16}}));
    EXPECT_EQ(control->MarkRects(2),
              (std::vector<TRect>{{2 + 5 * 8, 16, 2 + 14 * 8, 32}, {2 + 14 * 8, 16, 2 + 15 * 8, 32}}));

    ProportionalCanvas canvas;
    control->Paint(canvas);
    std::vector<std::string> fills;
    size_t firstText = canvas.Calls().size();
    for (size_t i = 0; i < canvas.Calls().size(); ++i) {
        const TCanvasCall& call = canvas.Calls()[i];
        if (call.Text.rfind("TextOut", 0) == 0)
            firstText = std::min(firstText, i);
        if (call.Text.rfind("FillRect", 0) == 0) {
            EXPECT_LT(i, firstText) << "marks go behind the glyphs";
            fills.push_back(call.Text +
                            (call.Brush.Color() == control->CurrentMarkColor() ? " current" : ""));
        }
    }
    EXPECT_EQ(fills,
              (std::vector<std::string>{"FillRect(42,0,106,16) current", "FillRect(106,0,114,16) current",
                                        "FillRect(114,0,122,16) current", "FillRect(42,16,114,32)",
                                        "FillRect(114,16,122,32)"}));
}

TEST_F(ParserComfortsTest, Marks_StepRoundAndScrollIntoView_ANewTextHasNone) {
    TScrollBox box;
    GParserControl* control = InBox(box, -16);
    std::string text = "zink bovenaan\r\n" + Lines(40) + "en zink onderaan\r\n" + Lines(10);
    control->SetText(text);
    control->MarkQuery("+\"zink\"", false);
    ASSERT_EQ(control->MarkCount(), 2);
    EXPECT_EQ(box.VertScrollPosition(), 0);

    control->StepMark(1);
    EXPECT_EQ(control->CurrentMark(), 2);
    const TRect second = control->MarkRects(2).front();
    EXPECT_GT(second.Top, 120);
    EXPECT_LE(box.VisibleRect().Top, second.Top);
    EXPECT_GE(box.VisibleRect().Bottom, second.Bottom);
    control->StepMark(1);
    EXPECT_EQ(control->CurrentMark(), 1);
    EXPECT_EQ(box.VertScrollPosition(), 0);
    control->StepMark(-1);
    EXPECT_EQ(control->CurrentMark(), 2);

    // A larger text keeps the marks on their words.
    control->SetZoom(200);
    EXPECT_EQ(control->MarkRects(2).front().Top, 41 * 32);

    control->SetText("zink");
    EXPECT_EQ(control->MarkCount(), 0);
    EXPECT_EQ(control->CurrentMark(), 0);
    control->StepMark(1);
    EXPECT_EQ(control->CurrentMark(), 0);
}

} // namespace
} // namespace orvalis
