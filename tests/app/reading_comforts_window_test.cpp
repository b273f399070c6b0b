// The reading comforts on the real window, driven by the events the window system delivers: the text size
// (keys, Ctrl+wheel, the "A–" and "A+" buttons) and the marked hits of a search or a link with F3 and
// Shift+F3 between them.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "db_fixture.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/page_stack.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "reading/title_lines.h"
#include "shown_window_fixture.h"
#include "window_events.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvalis {
namespace {

using test::Click;
using test::ClickRow;

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "Regel " + std::to_string(i) + " over zon en rust.\r\n";
    return text;
}

std::vector<TRawRecord> Records() {
    return {
        {1, "1|Acne", "Zie <A HREF=vitamine>vitamine</A> en rust.\r\n" + Lines(80)},
        {2,
         "1|Co\xEB"
         "ffici\xEB"
         "nt",
         "De co\xEB"
         "ffici\xEB"
         "nt en de CO\xCB"
         "FFICI\xCB"
         "NT."},
        {3, "1|Vitamine D tekort",
         Lines(80) + "Veel <B>Vitamine</B> D in vis.\r\n" + Lines(20) + "Neem vitamine d op tijd.\r\n"},
        {4, "2|Vitamine", "Vitamine A, vitamine D en multivitamine."},
        {5, "4|Vitamine", "Een VITAMINE is een stof."},
    };
}

class ReadingComfortsWindowTest : public test::ShownWindowTest {
protected:
    void SetUp() override {
        test::WriteBytes(Folder.File("D/4.Hnt"), "Disclaimer.");
        Open(Records());
    }
    void Search(const std::string& text) {
        Press(Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(Form->Search->SearchEdit->Focused());
        Type(text);
        Press(Qt::Key_Return);
    }
    void CtrlWheel(TControl* control, int notches) {
        const QPointF at(20, 10);
        QWheelEvent e(at, control->Widget()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control->Widget(), &e);
    }
    bool InView(int mark) {
        const std::vector<TRect> rects = Form->Topic->MainText->MarkRects(mark);
        const TRect view = Form->Topic->MainTextCtrl->VisibleRect();
        return !rects.empty() && rects.front().Top >= view.Top && rects.back().Bottom <= view.Bottom;
    }

    TScreenOverride Screen{{.Width = 1024, .Height = 768, .BitsPerPixel = 24}};
};

TEST_F(ReadingComfortsWindowTest, TextSize_KeysWheelAndButtonsSizeBothTextsForTheSession) {
    TMainForm& form = *Form;
    const int fontHeight = form.Topic->MainText->Font().Height();
    const int hintHeight = form.Intro->HintText->YMax();
    Press(Qt::Key_Plus, Qt::ControlModifier, "+");
    EXPECT_EQ(form.TextZoom(), 115);
    EXPECT_EQ(form.Intro->HintText->Zoom(), 115) << "the intro page's hint grows too";
    EXPECT_GE(form.Intro->HintText->YMax(), hintHeight);

    Click(form.Intro->EntryIntroBtn);
    ClickRow(form.Contents->ContentLst, 0);
    ASSERT_EQ(Header(), "Acne");
    EXPECT_EQ(form.Topic->MainText->Zoom(), 115) << "the size lasts from topic to topic";
    const int width = form.Topic->MainText->Width();
    Click(form.Topic->TextLargerBtn);
    EXPECT_EQ(form.TextZoom(), 130);
    CtrlWheel(form.Topic->MainText, 1);
    EXPECT_EQ(form.TextZoom(), 150);
    EXPECT_EQ(form.Intro->HintText->Zoom(), 150);
    EXPECT_EQ(form.Topic->MainText->Width(), width) << "the text re-flows in the same box";
    Press(Qt::Key_Equal, Qt::ControlModifier, "=");
    Press(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, "+");
    EXPECT_EQ(form.TextZoom(), 200);
    EXPECT_FALSE(form.Topic->TextLargerBtn->Enabled());
    EXPECT_TRUE(form.Topic->TextSmallerBtn->Enabled());
    EXPECT_EQ(form.Topic->MainText->Font().Height(), fontHeight)
        << "printing and copying use the text's own font";

    Press(Qt::Key_Minus, Qt::ControlModifier, "-");
    EXPECT_EQ(form.TextZoom(), 175);
    Click(form.Topic->TextSmallerBtn);
    EXPECT_EQ(form.TextZoom(), 150);
    Press(Qt::Key_0, Qt::ControlModifier, "0");
    EXPECT_EQ(form.TextZoom(), 100);
    EXPECT_FALSE(form.Topic->TextSmallerBtn->Enabled());
    EXPECT_TRUE(form.Topic->TextLargerBtn->Enabled());
    EXPECT_EQ(form.Intro->HintText->Zoom(), 100);
}

TEST_F(ReadingComfortsWindowTest, TextSize_KeepsTheReadLineAtTheTopOfTheText) {
    TMainForm& form = *Form;
    Click(form.Intro->EntryIntroBtn);
    ClickRow(form.Contents->ContentLst, 0);
    form.Topic->MainTextCtrl->SetVertScrollPosition(form.Topic->MainTextCtrl->VertScrollIncrement() * 10);
    const int top = form.Topic->MainTextCtrl->VertScrollPosition();
    ASSERT_GT(top, 0);
    Press(Qt::Key_Plus, Qt::ControlModifier, "+");
    Press(Qt::Key_Plus, Qt::ControlModifier, "+");
    // The line at the top moved down by the larger line height: it still stands at the top.
    EXPECT_GT(form.Topic->MainTextCtrl->VertScrollPosition(), top);
    Press(Qt::Key_0, Qt::ControlModifier, "0");
    EXPECT_NEAR(form.Topic->MainTextCtrl->VertScrollPosition(), top, top / 20 + 1);
}

TEST_F(ReadingComfortsWindowTest, TypedSearch_MarksTheTypedWordsScrollsToTheFirstAndF3StepsThrough) {
    TMainForm& form = *Form;
    Click(form.Intro->EntryIntroBtn);
    Search("vitamine d");
    ASSERT_EQ(Header(), "Klachten -> Vitamine D tekort");
    // The bold "Vitamine" and the blank and "D" after it, and the later "vitamine d".
    ASSERT_EQ(form.Topic->MainText->MarkCount(), 2);
    EXPECT_EQ(form.Topic->MainText->CurrentMark(), 1);
    EXPECT_GT(form.Topic->MainTextCtrl->VertScrollPosition(), 0);
    EXPECT_TRUE(InView(1)) << "the text scrolls to the first mark";
    EXPECT_FALSE(InView(2));

    Press(Qt::Key_F3);
    EXPECT_EQ(form.Topic->MainText->CurrentMark(), 2);
    EXPECT_TRUE(InView(2));
    Press(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(form.Topic->MainText->CurrentMark(), 1);
    EXPECT_TRUE(InView(1));
    Press(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(form.Topic->MainText->CurrentMark(), 2) << "from the first back round to the last";

    // The other hit: its own "vitamine D", not the "vitamine" inside "multivitamine".
    ClickRow(form.Search->QueryResultsLst, 0);
    ASSERT_EQ(Header(), "Voedingsstoffen Algemeen -> Vitamine");
    EXPECT_EQ(form.Topic->MainText->MarkCount(), 1);

    // A topic reached through the contents shows no marks.
    Click(form.BackBtn);
    ASSERT_TRUE(form.State.Has(nfContent));
    ClickRow(form.Contents->ContentLst, 2);
    ASSERT_EQ(Header(), "Vitamine D tekort");
    EXPECT_EQ(form.Topic->MainText->MarkCount(), 0);
    Press(Qt::Key_F3);
    EXPECT_EQ(form.Topic->MainText->CurrentMark(), 0);
}

TEST_F(ReadingComfortsWindowTest, TypedSearch_MarksAccentedLettersOnlyAsTyped) {
    Click(Form->Intro->EntryIntroBtn);
    Search("co\xEB"
           "ffici\xEB"
           "nt");
    ASSERT_EQ(Header(), "Klachten -> Co\xEB"
                        "ffici\xEB"
                        "nt");
    ASSERT_EQ(Form->Topic->MainText->MarkCount(), 1) << "the capitals with their accents are not folded";
    EXPECT_EQ(Form->Topic->MainText->MarkRects(1).front().Top, 0) << "the lower-case word on the first line";
}

TEST_F(ReadingComfortsWindowTest, EightBitScreen_MarksInPaletteColoursThatStayApart) {
    Application().SetMainForm(nullptr);
    Form.reset();
    const TScreenOverride eightBits{{.Width = 1024, .Height = 768, .BitsPerPixel = 8}};
    Form = std::make_unique<TMainForm>();
    Application().SetMainForm(Form.get());
    Form->ShowWindow();
    test::Activate(*Form);
    Click(Form->Intro->EntryIntroBtn);
    Search("vitamine d");
    ASSERT_EQ(Form->Topic->MainText->MarkCount(), 2);

    const TColor soft = Form->Topic->MainText->MarkColor();
    const TColor strong = Form->Topic->MainText->CurrentMarkColor();
    EXPECT_EQ(NearestScreenColor(soft), soft) << "a colour the screen shows";
    EXPECT_EQ(NearestScreenColor(strong), strong);
    EXPECT_NE(soft, strong) << "the current mark stands out from the others";
    for (TColor mark : {soft, strong})
        EXPECT_GT(int(mark.R) + mark.G + mark.B, 3 * 150) << "black text stays legible on it";
    Application().SetMainForm(nullptr);
    Form.reset();
}

TEST_F(ReadingComfortsWindowTest, LinkClick_MarksTheTargetAsAWholeWordInTheShownReference) {
    TMainForm& form = *Form;
    Click(form.Intro->EntryIntroBtn);
    ClickRow(form.Contents->ContentLst, 0);
    ASSERT_EQ(Header(), "Acne");
    ASSERT_EQ(form.Topic->MainText->MarkCount(), 0);
    const TRect link = form.Topic->MainText->LinkRect(1);
    test::Click(form.Topic->MainText, QPoint((link.Left + link.Right) / 2, (link.Top + link.Bottom) / 2));
    ASSERT_TRUE(form.State.Has(nfHyperLink));
    ASSERT_EQ(Header(), "Vitamine -> Vitamine");
    // "Vitamine A" and "vitamine D", not "multivitamine".
    EXPECT_EQ(form.Topic->MainText->MarkCount(), 2);

    ClickRow(form.CrossReferences->HLQueryResultsLst2, 0);
    ASSERT_EQ(Header(), "Vitamine -> Vitamine");
    EXPECT_EQ(form.Topic->MainText->MarkCount(), 1) << "the Quorindex entry marks its VITAMINE";
}

} // namespace
} // namespace orvalis
