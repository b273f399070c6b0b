// Back and forward on the real window in-process: keys and the mouse's side buttons as the window system
// delivers them, across the three reading modes and the sections.
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
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvalis {
namespace {

using test::Click;
using test::ClickRow;

std::string LongText(const std::string& about) {
    std::string text;
    for (int line = 1; line <= 120; ++line)
        text += "Regel " + std::to_string(line) + " over " + about + ".\r\n";
    return text;
}

std::vector<TRawRecord> Records() {
    return {
        {1, "1|Acne", "Zie puistjes."},
        {2, "1|Hoofdpijn", LongText("hoofdpijn")},
        {3, "1|Hoofdpijn|Hoofdpijn", LongText("rust bij hoofdpijn")},
        {4, "1|Zink", "Veel zink helpt bij <A HREF=puistjes>puistjes</A>."},
        {10, "2|IJzer", "IJzer in groente."},
        {11, "2|Kalk", "Kalk in melk."},
        {200, "4|Puistjes", "Ontstoken talgklieren."},
    };
}

class TrailWindowTest : public test::ShownWindowTest {
protected:
    void SetUp() override { Open(Records()); }
    // A press and release of a side button of the mouse over the control, as the window system sends it.
    static void SideButton(TControl* control, Qt::MouseButton button) {
        const QPointF at(10, 10);
        const QPointF global = control->Widget()->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, button, button, Qt::NoModifier);
        QApplication::sendEvent(control->Widget(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control->Widget(), &release);
    }
    std::vector<std::string> History() const { return Form->Topic->GoToLst->Items().Lines(); }
    int Scroll() const { return Form->Topic->MainTextCtrl->VertScrollPosition(); }

    TScreenOverride Screen640{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
};

TEST_F(TrailWindowTest, BackAndForward_ShowEachTopicInItsModeSectionTextAndScrollAndLeaveTheHistory) {
    TMainForm& form = *Form;
    Click(form.Intro->EntryIntroBtn);
    ASSERT_EQ(Header(), "Acne");
    ClickRow(form.Contents->ContentLst, 1);
    ASSERT_EQ(Header(), "Hoofdpijn");
    form.Topic->MainTextCtrl->SetFocus();
    Press(Qt::Key_PageDown);
    Press(Qt::Key_PageDown);
    const int scrolled = Scroll();
    ASSERT_GT(scrolled, 0);
    Click(form.Topic->ExtraInfoBtn);
    ASSERT_EQ(Header(), "Extra informatie bij -> Hoofdpijn");
    Click(form.Entry2Btn);
    ASSERT_EQ(Header(), "IJzer");
    Click(form.SearchBtn);
    Type("zink");
    Press(Qt::Key_Return);
    ASSERT_EQ(Header(), "Klachten -> Zink");
    form.Topic->MainTextCtrl->SetFocus();
    Press(Qt::Key_Tab);
    Press(Qt::Key_Return);
    ASSERT_EQ(Header(), "Puistjes -> Acne");
    ClickRow(form.CrossReferences->HLQueryResultsLst2, 0);
    ASSERT_EQ(Header(), "Puistjes -> Puistjes");
    const std::vector<std::string> history = History();
    ASSERT_EQ(history, (std::vector<std::string>{"1|Acne", "1|Hoofdpijn", "2|IJzer"}));

    Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Header(), "Puistjes -> Acne");
    EXPECT_EQ(form.CrossReferences->HLQueryResultsLst2->ItemIndex(), -1);
    Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(form.State.NavFlags, nfSearch | nfSection2);
    EXPECT_EQ(Header(), "Klachten -> Zink");
    EXPECT_EQ(form.Search->SearchEdit->Text(), "zink");
    EXPECT_EQ(form.NavPages->ActivePage(), form.SearchPage);
    EXPECT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 1");

    SideButton(form.Topic->MainTextCtrl, Qt::BackButton);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection2);
    EXPECT_EQ(Header(), "IJzer");
    EXPECT_EQ(form.Contents->ContentHeader->Caption(), "Voedingsstoffen Algemeen");

    form.Topic->MainTextCtrl->SetFocus();
    Press(Qt::Key_Backspace);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfExtraInfo | nfSection1);
    EXPECT_EQ(Header(), "Extra informatie bij -> Hoofdpijn");
    EXPECT_TRUE(form.Topic->MainInfoBtn->Enabled());

    // The side button over a list only steps: it selects no line of it.
    SideButton(form.Contents->ContentLst, Qt::BackButton);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
    EXPECT_EQ(Header(), "Hoofdpijn");
    EXPECT_EQ(TitleOfLine(form.Contents->ContentLst->Items()[form.Contents->ContentLst->ItemIndex()]),
              "Hoofdpijn");
    EXPECT_EQ(Scroll(), scrolled) << "the text is scrolled as the reader left it";
    Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Header(), "Acne");
    Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Header(), "Acne") << "the trail starts here";

    SideButton(form.Topic->MainTextCtrl, Qt::ForwardButton);
    EXPECT_EQ(Header(), "Hoofdpijn");
    EXPECT_EQ(Scroll(), scrolled);
    for (const char* expected : {"Extra informatie bij -> Hoofdpijn", "IJzer", "Klachten -> Zink",
                                 "Puistjes -> Acne", "Puistjes -> Puistjes"}) {
        Press(Qt::Key_Right, Qt::AltModifier);
        EXPECT_EQ(Header(), expected);
    }
    EXPECT_EQ(form.State.NavFlags, nfHyperLink | nfSection2);
    EXPECT_EQ(form.NavPages->ActivePage(), form.HyperLinkPage);
    EXPECT_EQ(form.CrossReferences->HLQueryResultsLst2->ItemIndex(), 0);
    Press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Header(), "Puistjes -> Puistjes") << "the trail ends here";
    EXPECT_EQ(History(), history) << "steps leave the history list as it was";
    EXPECT_EQ(form.Topic->GoToLst->ItemIndex(), 2);
}

TEST_F(TrailWindowTest, NewTopicAfterGoingBack_CutsOffTheForwardPart) {
    TMainForm& form = *Form;
    Click(form.Intro->EntryIntroBtn);
    ClickRow(form.Contents->ContentLst, 1);
    ClickRow(form.Contents->ContentLst, 2);
    ASSERT_EQ(Header(), "Zink");
    Press(Qt::Key_Left, Qt::AltModifier);
    Press(Qt::Key_Left, Qt::AltModifier);
    ASSERT_EQ(Header(), "Acne");
    ClickRow(form.Contents->ContentLst, 2);
    Press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Header(), "Zink") << "nothing ahead of the new topic";
    Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Header(), "Acne") << "Hoofdpijn was cut off";
}

TEST_F(TrailWindowTest, BackspaceInTheSearchField_DeletesAndASearchWithoutHitsIsLeftForItsTopic) {
    TMainForm& form = *Form;
    Click(form.Intro->EntryIntroBtn);
    Click(form.SearchBtn);
    Type("zinkq");
    Press(Qt::Key_Backspace);
    EXPECT_EQ(form.Search->SearchEdit->Text(), "zink");
    Press(Qt::Key_Return);
    ASSERT_EQ(Header(), "Klachten -> Zink");
    Type("qqq");
    Press(Qt::Key_Return);
    ASSERT_EQ(Header(), "");
    SideButton(form.Search->SearchEdit, Qt::BackButton);
    EXPECT_EQ(Header(), "Klachten -> Zink") << "the first step back shows the topic the empty page replaced";
    EXPECT_EQ(form.Search->SearchEdit->Text(), "zink");
    SideButton(form.Search->SearchEdit, Qt::BackButton);
    EXPECT_EQ(Header(), "Acne");
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
}

TEST_F(TrailWindowTest, HundredAndFiveTopics_TheTrailKeepsTheLastHundred) {
    std::vector<TRawRecord> records;
    for (uint32_t i = 1; i <= 105; ++i)
        records.push_back({i,
                           "1|Thema " +
                               std::string(i < 10    ? "00"
                                           : i < 100 ? "0"
                                                     : "") +
                               std::to_string(i),
                           "Een thema."});
    Form.reset();
    test::WriteBytes(Folder.File("D/iDbRecs.dat"), test::Encode(records));
    Form = std::make_unique<TMainForm>();
    Form->ShowWindow();
    test::Activate(*Form);
    TMainForm& form = *Form;
    Click(form.Intro->EntryIntroBtn);
    form.Contents->ContentLst->SetFocus();
    for (int i = 1; i < 105; ++i)
        Press(Qt::Key_Down);
    ASSERT_EQ(Header(), "Thema 105");
    for (int i = 0; i < 110; ++i)
        Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Header(), "Thema 006");
    EXPECT_EQ(form.Topic->Trail.Count(), TTopicTrail::MaxStops);
}

} // namespace
} // namespace orvalis
