// The real main window in-process without a mouse: every step is a key event delivered where the keyboard
// focus is, over a small database, quiz and advice files made here.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "db_fixture.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/message_boxes.h"
#include "platform/page_stack.h"
#include "platform/printers.h"
#include "platform/radio_button.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "platform/services.h"
#include "reading/title_lines.h"
#include "window_events.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvalis {
namespace {

std::vector<TRawRecord> Records() {
    std::vector<TRawRecord> r{
        {1, "1|Acne", "Zie <A HREF=puistjes>puistjes</A> en <A HREF=talg>talg</A>."},
        {2, "1|Brandwond", "Koel met water."},
        {3, "1|Buikpijn", "Neem rust."},
        {4, "1|Eczeem", "Jeuk."},
        {200, "4|Puistjes", "Ontstoken talgklieren."},
        {201, "4|Talg", "Huidvet."},
    };
    // Enough topics for the list to scroll, one of them long enough for the text to scroll.
    std::string longText;
    for (int line = 1; line <= 120; ++line)
        longText += "Regel " + std::to_string(line) + " van een lange tekst.\r\n";
    for (uint32_t i = 1; i <= 30; ++i)
        r.push_back({100 + i, "1|Thema " + std::string(i < 10 ? "0" : "") + std::to_string(i),
                     i == 1 ? longText : "Een thema."});
    return r;
}

std::string QuizFile() {
    std::string text;
    for (int n = 1; n <= 150; ++n) {
        const std::string number = std::to_string(n);
        text += "[Q" + number + "]\r\nVraag " + number + "\r\n\r\nEen\r\nTwee\r\nDrie\r\n[A" + number +
                "]\r\n\r\n2\r\nUitleg " + number + "\r\n";
    }
    return text;
}

class KeyboardWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(Folder.File("D/iDbRecs.dat"), test::Encode(Records()));
        test::WriteBytes(Folder.File("D/Quiz.dat"), QuizFile());
        test::WriteBytes(Folder.File("D/BMI.dat"), "[start]\r\nVul in.\r\n[normaalgewicht]\r\nGoed zo.\r\n");
        FPreviousClipboard = SetClipboard(&Clip);
        FPreviousPrinter = SetPrinter(&Printer);
        Form = std::make_unique<TMainForm>();
        Form->ShowWindow();
        test::Activate(*Form);
    }
    void TearDown() override {
        Form.reset();
        SetPrinter(FPreviousPrinter);
        SetClipboard(FPreviousClipboard);
        SetScreenVariant(0);
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
        test::Key(Form->Widget(), key, modifiers, text);
    }
    void Type(const std::string& text) { test::Type(Form->Widget(), text); }
    // Presses Tab (Shift+Tab backwards) until the control has the focus; false after a whole round.
    bool TabTo(const TControl* control, bool backwards = false) {
        for (int i = 0; i < 120 && !control->Focused(); ++i)
            Press(backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        return control->Focused();
    }
    std::string Header() const { return Form->Topic->MainTextHeaderLbl->Caption(); }
    std::string Selected(const GTextControl* list) const {
        return list->ItemIndex() < 0 ? "" : std::string(TitleOfLine(list->Items()[list->ItemIndex()]));
    }

    test::ProgramFolder Folder;
    TScreenOverride Screen640{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
    MemoryClipboard Clip;
    RecordingPrinter Printer;
    RecordingMessageBoxes Boxes;
    TMessageBoxesOverride BoxesOverride{Boxes};
    std::unique_ptr<TMainForm> Form;

private:
    TClipboard* FPreviousClipboard = nullptr;
    TPrinter* FPreviousPrinter = nullptr;
};

TEST_F(KeyboardWindowTest, ReadingPath_EntersMovesInTheListFollowsALinkSearchesCopiesPrintsAndGoesBack) {
    TMainForm& form = *Form;
    ASSERT_TRUE(form.Intro->EntryIntroBtn->Focused()) << "the keyboard starts at the first intro button";
    Press(Qt::Key_Return);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
    EXPECT_EQ(Header(), "Acne");
    EXPECT_TRUE(form.Contents->ContentLst->Focused())
        << "a page entered by the keyboard starts at its first control";

    Press(Qt::Key_Down);
    EXPECT_EQ(Header(), "Brandwond");
    EXPECT_TRUE(form.Contents->ContentLst->Focused()) << "moving in the list keeps the focus there";
    Press(Qt::Key_End);
    EXPECT_EQ(Header(), "Thema 30");
    const TRect last = form.Contents->ContentLst->ItemRect(form.Contents->ContentLst->ItemIndex());
    EXPECT_TRUE(last.Top >= 0 && last.Bottom <= form.Contents->ContentLst->Height())
        << "the last line is in view";
    Press(Qt::Key_Home);
    EXPECT_EQ(Header(), "Acne");
    EXPECT_EQ(form.Contents->ContentLst->TopIndex(), 0);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(form.Contents->ContentLst->ItemIndex(), 15) << "one page is the rows in view less one";
    Press(Qt::Key_Up);
    EXPECT_EQ(form.Contents->ContentLst->ItemIndex(), 14);
    Press(Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(Header(), "Brandwond") << "a letter acts as its button: the next title with it, from the top";
    Press(Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(Header(), "Buikpijn");
    Press(Qt::Key_Z, Qt::NoModifier, "z");
    EXPECT_EQ(Header(), "Buikpijn") << "a letter without titles changes nothing";

    Press(Qt::Key_Home);
    ASSERT_TRUE(TabTo(form.Topic->MainTextCtrl));
    EXPECT_EQ(form.Topic->MainText->FocusedLink(), 0);
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    EXPECT_EQ(form.Topic->MainText->FocusedLink(), 2) << "Tab moves between the links of the text";
    EXPECT_TRUE(form.Topic->MainTextCtrl->Focused());
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form.Topic->MainText->FocusedLink(), 1);
    Press(Qt::Key_Return);
    EXPECT_TRUE(form.State.Has(nfHyperLink));
    EXPECT_EQ(form.Search->SearchEdit->Text(), "puistjes");
    EXPECT_EQ(Selected(form.CrossReferences->HLQueryResultsLst1), "Acne");
    EXPECT_EQ(form.CrossReferences->HLQueryResultsLst2->ItemText(0), "Puistjes");

    Press(Qt::Key_Escape);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1) << "Escape acts as the back button";
    EXPECT_EQ(Header(), "Acne");

    Press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(form.State.Has(nfSearch));
    ASSERT_TRUE(form.Search->SearchEdit->Focused());
    Type("rust");
    EXPECT_EQ(form.Search->SearchEdit->Text(), "rust");
    Press(Qt::Key_Return);
    EXPECT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 1");
    EXPECT_EQ(Header(), "Klachten -> Buikpijn");

    Press(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(Clip.Text().find("Neem rust."), std::string::npos) << "Ctrl+Shift+C copies the topic";
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Printer.Log.front(), "BeginDoc") << "Ctrl+P prints it";
    EXPECT_EQ(Printer.Log.back(), "EndDoc");

    Press(Qt::Key_Escape);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
    Press(Qt::Key_Escape);
    EXPECT_EQ(form.MainPages->ActivePage(), form.IntroPage) << "then as the main menu button";
    EXPECT_TRUE(form.Intro->EntryIntroBtn->Focused()) << "the new page starts at its first control";
    Press(Qt::Key_Escape);
    EXPECT_EQ(form.MainPages->ActivePage(), form.IntroPage) << "the intro page has neither button";
}

TEST_F(KeyboardWindowTest, TabOrder_FollowsTheReadingOrderAndPassesHiddenAndDisabledControls) {
    TMainForm& form = *Form;
    ASSERT_TRUE(TabTo(form.Intro->EntryIntroBtn));
    Press(Qt::Key_Space);
    ASSERT_EQ(form.MainPages->ActivePage(), form.MainPage) << "Space acts as a click too";
    ASSERT_TRUE(TabTo(form.Contents->ContentLst));

    std::vector<TControl*> expected{form.Contents->ContentLst};
    for (char letter : {'A', 'B', 'E', 'T'})
        expected.push_back(form.Contents->BaseBtns[static_cast<size_t>(letter - 'A')]);
    expected.insert(expected.end(),
                    {form.Topic->GoToBtn, form.Topic->MainTextCtrl, form.ClipboardCopy->MainTextToClipBrdBtn,
                     form.TextPrinter->MainTextPrintBtn, form.Entry1Btn, form.Entry2Btn, form.Entry3Btn,
                     form.SearchBtn, form.MainMenuBtn, form.InfoBtn, form.HelpBtn, form.MinimizeBtn,
                     form.QuitBtn, form.Contents->ContentLst});
    std::vector<TControl*> visited{FocusedControl()};
    while (visited.size() < 60) {
        Press(Qt::Key_Tab);
        // Tab inside the text visits its two links first; the focus stays on the text meanwhile.
        if (FocusedControl() != visited.back())
            visited.push_back(FocusedControl());
        if (visited.back() == form.Contents->ContentLst)
            break;
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(KeyboardWindowTest, Text_ArrowsPagesAndEndsScrollTheTopic) {
    TMainForm& form = *Form;
    ASSERT_TRUE(TabTo(form.Intro->EntryIntroBtn));
    Press(Qt::Key_Return);
    ASSERT_TRUE(TabTo(form.Contents->ContentLst, true));
    Press(Qt::Key_T, Qt::NoModifier, "t");
    ASSERT_EQ(Header(), "Thema 01");
    ASSERT_TRUE(TabTo(form.Topic->MainTextCtrl));
    TScrollBox& box = *form.Topic->MainTextCtrl;
    const int step = box.VertScrollIncrement();
    const int page = box.VisibleRect().Height();
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(box.VertScrollPosition(), 2 * step);
    Press(Qt::Key_Up);
    EXPECT_EQ(box.VertScrollPosition(), step);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(box.VertScrollPosition(), step + page);
    Press(Qt::Key_End);
    EXPECT_EQ(box.VisibleRect().Bottom, form.Topic->MainText->Height()) << "the end of the text in view";
    Press(Qt::Key_PageUp);
    EXPECT_EQ(box.VisibleRect().Bottom, form.Topic->MainText->Height() - page);
    Press(Qt::Key_Home);
    EXPECT_EQ(box.VertScrollPosition(), 0);
    Press(Qt::Key_Tab);
    EXPECT_TRUE(form.ClipboardCopy->MainTextToClipBrdBtn->Focused())
        << "a text without links is passed in one step";
}

TEST_F(KeyboardWindowTest, QuizAndBmi_PlayedAndComputedWithKeysOnly) {
    TMainForm& form = *Form;
    TQuizPage& quiz = *form.Quiz;
    ASSERT_TRUE(TabTo(form.Intro->QuizIntroBtn));
    Press(Qt::Key_Return);
    ASSERT_EQ(form.MainPages->ActivePage(), form.QuizPage);
    EXPECT_TRUE(quiz.QuizAlt1RBtn->Focused()) << "the page starts at its first alternative";
    Press(Qt::Key_Return);
    EXPECT_FALSE(quiz.QuizNextQuestionBtn->Visible()) << "Enter before a choice confirms nothing";
    Press(Qt::Key_2, Qt::NoModifier, "2");
    EXPECT_TRUE(quiz.QuizAlt2RBtn->Checked());
    EXPECT_TRUE(quiz.QuizDoneBtn->Visible());
    Press(Qt::Key_Return);
    EXPECT_EQ(quiz.QuizAnswerText->Caption().substr(0, 4), "GOED");
    EXPECT_EQ(quiz.QuizCorrect, 1);
    Press(Qt::Key_3, Qt::NoModifier, "3");
    EXPECT_TRUE(quiz.QuizAlt2RBtn->Checked()) << "after Klaar a choice only beeps";
    ASSERT_EQ(Boxes.Entries().size(), 1u);
    EXPECT_EQ(Boxes.Entries()[0].Kind, RecordingMessageBoxes::TKind::Beep);
    Press(Qt::Key_Return);
    EXPECT_EQ(quiz.QuizCount, 2) << "the second Enter acts as Volgende Vraag";
    EXPECT_FALSE(quiz.QuizAlt2RBtn->Checked());
    Press(Qt::Key_1, Qt::NoModifier, "1");
    Press(Qt::Key_Return);
    EXPECT_EQ(quiz.QuizAnswerText->Caption().substr(0, 4), "FOUT");

    ASSERT_TRUE(TabTo(form.MainMenuBtn));
    Press(Qt::Key_Return);
    EXPECT_EQ(form.MainPages->ActivePage(), form.IntroPage) << "Enter on a focused button is its click";

    ASSERT_TRUE(TabTo(form.Intro->BMITestIntroBtn));
    Press(Qt::Key_Return);
    ASSERT_EQ(form.MainPages->ActivePage(), form.BMITestPage);
    EXPECT_TRUE(form.Bmi->BMITestLengthEdit->Focused());
    Type("180");
    Press(Qt::Key_Tab);
    Type("75");
    Press(Qt::Key_Return);
    EXPECT_EQ(form.Bmi->BMITestResultText->Caption().substr(0, 12), "Uw BMI is 23");
}

} // namespace
} // namespace orvalis
