// The real main window in-process, driven by mouse events on its controls, over a small database made
// here: a title beginning with a digit, lower-case and accented initials, topics with and without extra
// texts, a record without text, a section without records and a section of many topics.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "controls/bk_control.h"
#include "controls/markup_layout.h"
#include "db_fixture.h"
#include "platform/bitmap.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/page_stack.h"
#include "platform/panel.h"
#include "platform/paths.h"
#include "platform/printers.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "platform/services.h"
#include "reading/title_lines.h"
#include "window_events.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace orvalis {
namespace {

namespace fs = std::filesystem;
using test::Click;
using test::ClickRow;
using test::Enter;
using test::Leave;
using test::Mouse;

std::vector<TRawRecord> BookRecords() {
    std::vector<TRawRecord> r{
        {1, "1|3 maal daags", "Drie keer per dag."},
        {2, "1|Acne", "Zie <A HREF=puistjes>puistjes</A> {en} meer."},
        {3, "1|Acne|Acne", "Extra over acne."},
        {4, "1|Acne|Acne|Acne", "Recept tegen acne."},
        {5, "1|Buikpijn", "Buikpijn."},
        {6, "1|Brandwond", "Brandwond."},
        {7, "1|Brandwond|Brandwond", "Extra over brandwonden."},
        {8, "1|blaas", "Blaas."},
        {9,
         "1|\xC9"
         "czeem",
         "Eczeem."},
        {10, "1|Leeg", ""},
        {11, "2|Alcohol", "Alcohol."},
        {12, "2|Acne", "Over acne en voeding."},
    };
    for (uint32_t i = 1; i <= 16; ++i)
        r.push_back({100 + i, "2|Thema " + std::string(i < 10 ? "0" : "") + std::to_string(i), "Een thema."});
    r.push_back({200, "4|Acne", "Quorindex over acne."});
    r.push_back({201, "4|Puistjes", "Ontstoken talgklieren."});
    r.push_back({202, "4|Mee-eter", "Een verstopte porie, vaak naast puistjes."});
    r.push_back({203, "4|Talg", "Alleen over puistjesvrij leven."});
    return r;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(Folder.File("D/1.Hnt"), "<B>Lezen</B> in het boek.");
        test::WriteBytes(Folder.File("D/2.Hnt"), "De quiz.");
        test::WriteBytes(Folder.File("D/4.Hnt"), "Disclaimer: geen medisch advies.");
        FPreviousClipboard = SetClipboard(&Clip);
        FPreviousPrinter = SetPrinter(&Printer);
    }
    void TearDown() override {
        Form.reset();
        SetPrinter(FPreviousPrinter);
        SetClipboard(FPreviousClipboard);
        SetScreenVariant(0);
    }
    // The window on the 640x480 layout, shown as the program shows it.
    TMainForm& Open(const std::vector<TRawRecord>& records = BookRecords()) {
        if (!records.empty())
            test::WriteBytes(Folder.File("D/iDbRecs.dat"), test::Encode(records));
        Form = std::make_unique<TMainForm>();
        Form->ShowWindow();
        return *Form;
    }

    TBaseBtn* Letter(char c) const { return Form->Contents->BaseBtns[static_cast<size_t>(c - 'A')]; }
    std::string Header() const { return Form->Topic->MainTextHeaderLbl->Caption(); }
    std::string Text() const {
        return Form->Topic->MainText->GetText() ? Form->Topic->MainText->GetText() : "";
    }
    std::vector<std::string> History() const { return Form->Topic->GoToLst->Items().Lines(); }
    std::string Selected(const GTextControl* list) const {
        return list->ItemIndex() < 0 ? "" : list->Items()[list->ItemIndex()];
    }

    test::ProgramFolder Folder;
    TScreenOverride Screen640{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
    MemoryClipboard Clip;
    RecordingPrinter Printer;
    std::unique_ptr<TMainForm> Form;

private:
    TClipboard* FPreviousClipboard = nullptr;
    TPrinter* FPreviousPrinter = nullptr;
};

TEST_F(MainWindowTest, Start_ShowsTheDisclaimerWithItsButtonUnderlined) {
    TMainForm& form = Open();
    EXPECT_EQ(form.MainPages->ActivePage(), form.IntroPage);
    EXPECT_FALSE(form.BtnPnl->Visible());
    EXPECT_STREQ(form.Intro->HintText->GetText(), "Disclaimer: geen medisch advies.");
    EXPECT_TRUE(form.Intro->DisclaimerIntroBtn->Font().Style().Has(TFontStyle::fsUnderline));
    Leave(form.Intro->DisclaimerIntroBtn);
    EXPECT_FALSE(form.Intro->DisclaimerIntroBtn->Font().Style().Has(TFontStyle::fsUnderline));

    Enter(form.Intro->QuizIntroBtn);
    EXPECT_STREQ(form.Intro->HintText->GetText(), "De quiz.");
    Leave(form.Intro->QuizIntroBtn);
    EXPECT_STREQ(form.Intro->HintText->GetText(), "De quiz.") << "the hint stays when the pointer leaves";
    Enter(form.Intro->BMITestIntroBtn);
    EXPECT_EQ(form.Intro->HintText->GetText(), nullptr) << "a missing hint file leaves the area empty";
}

TEST_F(MainWindowTest, EnterSection_ListsSortedTitlesAndShowsTheFirstLetteredTopic) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    EXPECT_EQ(form.MainPages->ActivePage(), form.MainPage);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
    EXPECT_EQ(form.Contents->ContentHeader->Caption(), "Aandoeningen & Remedies");
    EXPECT_EQ(form.Contents->ContentHeaderBk->Caption(), "Aandoeningen & Remedies");
    std::vector<std::string> titles;
    for (const std::string& line : form.Contents->ContentLst->Items().Lines())
        titles.push_back(line.substr(line.find('|') + 1));
    EXPECT_EQ(titles,
              (std::vector<std::string>{"3 maal daags", "Acne", "Brandwond", "Buikpijn", "Leeg", "blaas",
                                        "\xC9"
                                        "czeem"}))
        << "one line per topic, extra texts and recipes left out, byte order";
    EXPECT_EQ(Header(), "Acne") << "the digit title sorts first but belongs to no letter";
    EXPECT_EQ(form.Contents->ContentLst->ItemIndex(), 1);
    EXPECT_EQ(Text(), "Zie <A HREF=puistjes>puistjes</A> {en} meer.");
    for (char c = 'A'; c <= 'Z'; ++c)
        EXPECT_EQ(Letter(c)->Enabled(), c == 'A' || c == 'B' || c == 'L') << c;
    EXPECT_TRUE(form.ClipboardCopy->MainTextToClipBrdBtn->Visible());
    EXPECT_TRUE(form.TextPrinter->MainTextPrintBtn->Visible());
    EXPECT_TRUE(form.Topic->MainInfoBtn->Visible());
    EXPECT_FALSE(form.Topic->MainInfoBtn->Enabled());
    EXPECT_TRUE(form.Topic->ExtraInfoBtn->Enabled());
    EXPECT_TRUE(form.Topic->RecipeBtn->Enabled());
    EXPECT_TRUE(form.MainMenuBtn->Visible());
    EXPECT_FALSE(form.BackBtn->Visible());
    EXPECT_TRUE(form.Topic->MainText->Background().Image().HasGraphic())
        << "the text scrolls over the page picture";

    Click(form.Entry3Btn);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection3);
    EXPECT_EQ(form.Contents->ContentLst->Items().Count(), 0);
    EXPECT_FALSE(form.Contents->ContentLst->Visible());
    EXPECT_FALSE(form.Topic->MainTextCtrl->Visible()) << "a section without topics opens none";
    EXPECT_FALSE(form.ClipboardCopy->MainTextToClipBrdBtn->Visible());
    EXPECT_FALSE(form.TextPrinter->MainTextPrintBtn->Visible());
    EXPECT_FALSE(form.Topic->ExtraInfoBtn->Visible()) << "only the first section switches texts";
    for (TBaseBtn* button : form.Contents->BaseBtns)
        EXPECT_FALSE(button->Enabled());

    Click(form.Entry2Btn);
    EXPECT_EQ(form.Contents->ContentHeader->Caption(), "Voedingsstoffen Algemeen");
    EXPECT_EQ(Header(), "Acne");
    EXPECT_EQ(Text(), "Over acne en voeding.");
    Click(form.MainMenuBtn);
    EXPECT_EQ(form.MainPages->ActivePage(), form.IntroPage);
    EXPECT_EQ(form.State.NavFlags, 0);
    EXPECT_FALSE(form.BtnPnl->Visible());
}

TEST_F(MainWindowTest, LetterButtons_StepWrapAndScrollWhileALineClickDoesNot) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    Click(Letter('B'));
    EXPECT_EQ(Header(), "Brandwond");
    Click(Letter('B'));
    EXPECT_EQ(Header(), "Buikpijn") << "the lower-case 'blaas' is not found by the capital";
    Click(Letter('B'));
    EXPECT_EQ(Header(), "Brandwond") << "wraps to the first";
    EXPECT_EQ(form.Contents->ContentLst->TopIndex(), form.Contents->ContentLst->ItemIndex())
        << "a letter brings its line to the top";

    Click(Letter('L'));
    EXPECT_EQ(Selected(form.Contents->ContentLst).substr(Selected(form.Contents->ContentLst).find('|')),
              "|Leeg");
    EXPECT_FALSE(form.Topic->MainTextCtrl->Visible()) << "a record without text clears the display";
    EXPECT_EQ(Header(), "");
    Click(Letter('L'));
    EXPECT_EQ(form.Contents->ContentLst->ItemIndex(), 4) << "the only title of its letter stays selected";

    Click(Letter('A'));
    const int top = form.Contents->ContentLst->TopIndex();
    ClickRow(form.Contents->ContentLst, top + 1);
    EXPECT_EQ(form.Contents->ContentLst->TopIndex(), top) << "a click on a line does not scroll";
    EXPECT_EQ(form.Contents->ContentLst->ItemIndex(), top + 1);
}

TEST_F(MainWindowTest, ContentSwitch_HeadersAndButtonsFollowTheTextOnDisplay) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    ASSERT_EQ(Header(), "Acne");
    Click(form.Topic->ExtraInfoBtn);
    EXPECT_EQ(Header(), "Extra informatie bij -> Acne");
    EXPECT_EQ(form.Topic->MainTextHeaderBkLbl->Caption(), Header());
    EXPECT_EQ(Text(), "Extra over acne.");
    EXPECT_TRUE(form.Topic->MainInfoBtn->Enabled());
    EXPECT_FALSE(form.Topic->ExtraInfoBtn->Enabled());
    EXPECT_TRUE(form.Topic->RecipeBtn->Enabled());
    Click(form.Topic->RecipeBtn);
    EXPECT_EQ(Header(), "Recept bij -> Acne");
    EXPECT_EQ(Text(), "Recept tegen acne.");
    EXPECT_TRUE(form.Topic->ExtraInfoBtn->Enabled());
    EXPECT_FALSE(form.Topic->RecipeBtn->Enabled());
    Click(form.Topic->MainInfoBtn);
    EXPECT_EQ(Header(), "Acne");
    EXPECT_EQ(Text(), "Zie <A HREF=puistjes>puistjes</A> {en} meer.");
    EXPECT_FALSE(form.Topic->MainInfoBtn->Enabled());
    EXPECT_EQ(History(), (std::vector<std::string>{"1|Acne"})) << "switching texts records nothing";

    Click(Letter('B'));
    EXPECT_TRUE(form.Topic->ExtraInfoBtn->Enabled()) << "Brandwond has extra information";
    EXPECT_FALSE(form.Topic->RecipeBtn->Enabled()) << "but no recipe";
    Click(Letter('B'));
    EXPECT_FALSE(form.Topic->ExtraInfoBtn->Enabled());
    EXPECT_FALSE(form.Topic->RecipeBtn->Enabled());
}

TEST_F(MainWindowTest, History_KeepsFifteenAndReturnsAcrossSections) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    Click(Letter('B'));
    Click(Letter('A'));
    EXPECT_EQ(History(), (std::vector<std::string>{"1|Acne", "1|Brandwond", "1|Acne"})) << "A, B, A";
    Click(Letter('A'));
    EXPECT_EQ(History().size(), 3u) << "the topic already last is not added again";

    Click(form.Entry2Btn); // shows 2|Acne
    for (int i = 0; i < 16; ++i)
        Click(Letter('T'));
    ASSERT_EQ(History().size(), 15u);
    EXPECT_EQ(History().front(), "2|Thema 02");
    EXPECT_EQ(History().back(), "2|Thema 16");
    EXPECT_EQ(form.Topic->GoToLst->ItemIndex(), 14) << "the newest is selected";

    // Back to a section-1 topic through the history: the section is rebuilt first, and the topic it shows
    // on its own is not recorded.
    form.Topic->GoToLst->Items().Clear();
    Click(form.Entry1Btn);
    Click(Letter('B'));
    Click(form.Entry2Btn);
    ASSERT_EQ(History(), (std::vector<std::string>{"1|Acne", "1|Brandwond", "2|Acne"}));
    Click(form.Topic->GoToBtn);
    ASSERT_TRUE(form.Topic->GoToPnl->Visible());
    ClickRow(form.Topic->GoToLst, 1);
    EXPECT_FALSE(form.Topic->GoToPnl->Visible());
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
    EXPECT_EQ(form.Contents->ContentHeader->Caption(), "Aandoeningen & Remedies");
    EXPECT_EQ(Header(), "Brandwond");
    EXPECT_EQ(History(), (std::vector<std::string>{"1|Acne", "1|Brandwond", "2|Acne", "1|Brandwond"}));
    EXPECT_EQ(form.Contents->ContentLst->TopIndex(), form.Contents->ContentLst->ItemIndex())
        << "the history brings the line up";

    Click(form.Topic->GoToBtn);
    Click(form.Topic->GoToBtn);
    EXPECT_FALSE(form.Topic->GoToPnl->Visible()) << "the button toggles the panel";
}

TEST_F(MainWindowTest, HistoryLineWhoseTitleIsGone_KeepsTheDisplayConsistent) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    form.Topic->GoToLst->Items().Add("1|Bestaat niet meer");
    form.Topic->GoToLst->SetItemIndex(form.Topic->GoToLst->Items().Count() - 1);
    Click(form.Topic->GoToBtn);
    ClickRow(form.Topic->GoToLst, form.Topic->GoToLst->ItemIndex());
    EXPECT_EQ(Header(), "Acne") << "the contents selection stays on the topic shown";
    EXPECT_TRUE(form.Topic->GoToLst->Enabled());
}

TEST_F(MainWindowTest, BackFromSearch_ReturnsToTheSectionItWasEnteredFrom) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    Click(form.Entry2Btn);
    Click(form.SearchBtn);
    EXPECT_EQ(form.State.NavFlags, nfSearch | nfSection2);
    EXPECT_EQ(FocusedControl(), form.Search->SearchEdit) << "the cursor waits in the search field";
    EXPECT_EQ(form.NavPages->ActivePage(), form.SearchPage);
    EXPECT_TRUE(form.BackBtn->Visible());
    EXPECT_FALSE(form.MainMenuBtn->Visible());
    EXPECT_FALSE(form.Entry1Btn->Visible());
    EXPECT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 0");
    EXPECT_EQ(form.BackBtn->Caption(), "A & R");
    Click(form.BackBtn);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection2);
    EXPECT_EQ(form.Contents->ContentHeader->Caption(), "Voedingsstoffen Algemeen");
    EXPECT_EQ(Header(), "Acne") << "the newest history topic of this section";
    EXPECT_EQ(History().back(), "2|Acne");
}

TEST_F(MainWindowTest, Feedback_UnderlineOnlyOnEnabledButtonsAndPressedColours) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    ASSERT_FALSE(form.Topic->MainInfoBtn->Enabled());
    Enter(form.Topic->MainInfoBtn);
    EXPECT_FALSE(form.Topic->MainInfoBtn->Font().Style().Has(TFontStyle::fsUnderline));
    Enter(form.Topic->ExtraInfoBtn);
    EXPECT_TRUE(form.Topic->ExtraInfoBtn->Font().Style().Has(TFontStyle::fsUnderline));
    Leave(form.Topic->ExtraInfoBtn);
    EXPECT_FALSE(form.Topic->ExtraInfoBtn->Font().Style().Has(TFontStyle::fsUnderline));

    TBaseBtn* print = form.TextPrinter->MainTextPrintBtn;
    Mouse(print, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(print->Brush().Color(), TColor::FromRgb(0xFAD2C4));
    EXPECT_EQ(print->Pen().Color(), TColor::FromRgb(0xF9BEA3));
    Mouse(print, QEvent::MouseButtonRelease, {-5, -5});
    EXPECT_EQ(print->Brush().Color(), TColor::FromRgb(0xF8E4B2));
    EXPECT_EQ(print->Pen().Color(), TColor::FromRgb(0xEAD291));
}

TEST_F(MainWindowTest, Clipboard_CopiesTheTopicOnDisplayOnly) {
    TMainForm& form = Open();
    Clip.SetText("eerder");
    Click(form.Intro->EntryIntroBtn);
    Click(form.ClipboardCopy->MainTextToClipBrdBtn);
    EXPECT_EQ(Clip.Text().rfind("Acne\r\nZie puistjes en meer.\r\n", 0), 0u) << Clip.Text();
    EXPECT_NE(Clip.Text().find("\r\nBron: "), std::string::npos);

    Clip.SetText("eerder");
    form.ClipboardCopy->MainTextToClipBrdBtnClick(form.TextPrinter->MainTextPrintBtn);
    EXPECT_EQ(Clip.Text(), "eerder") << "only its own button copies";
    Click(Letter('L'));
    form.ClipboardCopy->MainTextToClipBrdBtnClick(form.ClipboardCopy->MainTextToClipBrdBtn);
    EXPECT_EQ(Clip.Text(), "eerder") << "nothing on display, nothing copied";
}

TEST_F(MainWindowTest, WithoutPrinter_PrintButtonStaysHidden) {
    Printer.Installed.clear();
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    EXPECT_TRUE(form.ClipboardCopy->MainTextToClipBrdBtn->Visible());
    EXPECT_FALSE(form.TextPrinter->MainTextPrintBtn->Visible());
}

TEST_F(MainWindowTest, BadDatabases_LeaveEveryPageEmptyButUsable) {
    // A missing file, an empty section, titles all outside the letter buttons.
    for (const std::vector<TRawRecord>& records :
         {std::vector<TRawRecord>{}, std::vector<TRawRecord>{{1, "2|Alleen elders", "x"}},
          std::vector<TRawRecord>{{1, "1|1 cijfer", "a"}, {2, "1|\xC9\xE9n", "b"}, {3, "1|klein", "c"}}}) {
        fs::remove(Folder.File("D/iDbRecs.dat"));
        TMainForm& form = Open(records);
        Click(form.Intro->EntryIntroBtn);
        EXPECT_FALSE(form.Topic->MainTextCtrl->Visible());
        EXPECT_EQ(Header(), "");
        if (form.Contents->ContentLst->Items().Count() == 0) {
            EXPECT_FALSE(form.ClipboardCopy->MainTextToClipBrdBtn->Visible());
        }
        Click(form.SearchBtn);
        Click(form.BackBtn);
        EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
        if (form.Contents->ContentLst->Items().Count() > 0) {
            ClickRow(form.Contents->ContentLst, 0);
            EXPECT_EQ(Header(), "1 cijfer") << "a title outside the letters is still readable";
        }
        Form.reset();
    }
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

// Pictures are decoded once while their files stay as they are; a file that changes or goes is read anew.
TEST_F(MainWindowTest, Backgrounds_ReadAgainWhenTheirFileChanges) {
    const fs::path built = fs::path(std::getenv("ORVALIS_PROGRAM_DIR")) / "I" / "B";
    fs::remove(Folder.Path() / "I");
    fs::create_directories(Folder.Path() / "I" / "B");
    for (const char* stem : {"i_t", "i", "m_t", "m_r", "m_b", "m_l1"})
        fs::copy_file(built / (std::string(stem) + "6x4"),
                      Folder.Path() / "I" / "B" / (std::string(stem) + "6x4"));
    TMainForm& form = Open();
    const auto headerSize = [&form] {
        const TBitmap* bitmap = form.HeaderBk->Background().Image().Bitmap();
        return bitmap ? TSize{bitmap->Width(), bitmap->Height()} : TSize{};
    };
    Click(form.Intro->EntryIntroBtn);
    const TSize header = headerSize();
    ASSERT_GT(header.cx, 0);
    Click(form.MainMenuBtn);
    Click(form.Intro->EntryIntroBtn);
    EXPECT_EQ(headerSize(), header);

    const fs::path strip = Folder.Path() / "I" / "B" / "m_t6x4";
    fs::copy_file(built / "m_r6x4", strip, fs::copy_options::overwrite_existing);
    fs::last_write_time(strip, fs::last_write_time(strip) + std::chrono::seconds(5));
    Click(form.MainMenuBtn);
    Click(form.Intro->EntryIntroBtn);
    EXPECT_NE(headerSize(), header) << "the changed file is decoded again";
    fs::remove(strip);
    Click(form.MainMenuBtn);
    Click(form.Intro->EntryIntroBtn);
    EXPECT_EQ(headerSize(), TSize{}) << "a file that is gone leaves the area without a picture";
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

// Clicks the link of the shown topic where the renderer laid it out.
void ClickLink(TMainForm& form, const std::string& target) {
    TPointerChain& links = form.Topic->MainText->HyperLinks();
    for (int32_t i = 1; i <= links.Count(); ++i) {
        const auto* area = static_cast<const THyperLinkArea*>(links.Get(i));
        if (area->HRef != target)
            continue;
        const QPoint at((area->Area.Left + area->Area.Right) / 2, (area->Area.Top + area->Area.Bottom) / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, form.Topic->MainText->Widget()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, form.Topic->MainText->Widget()->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form.Topic->MainText->Widget(), &press);
        QApplication::sendEvent(form.Topic->MainText->Widget(), &release);
        return;
    }
    ADD_FAILURE() << "no link to " << target;
}

TEST_F(MainWindowTest, LinkClick_ListsBookAndQuorindexReferencesAndShowsTheBest) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    ASSERT_EQ(Header(), "Acne");
    ClickLink(form, "puistjes");
    EXPECT_EQ(form.State.NavFlags, nfHyperLink | nfSection1);
    EXPECT_EQ(form.NavPages->ActivePage(), form.HyperLinkPage);
    EXPECT_EQ(form.Search->SearchEdit->Text(), "puistjes");
    ASSERT_EQ(form.CrossReferences->HLQueryResultsLst1->Items().Count(), 1);
    EXPECT_EQ(TitleOfLine(form.CrossReferences->HLQueryResultsLst1->Items()[0]), "Acne")
        << "the topic that links, by its text";
    std::vector<std::string> quorindex;
    for (const std::string& line : form.CrossReferences->HLQueryResultsLst2->Items().Lines())
        quorindex.push_back(line.substr(line.find('|') + 1));
    EXPECT_EQ(quorindex, (std::vector<std::string>{"Mee-eter", "Puistjes"}))
        << "whole words only; a title equal to the term counts";
    EXPECT_EQ(form.CrossReferences->HLQueryResultsLst1->ItemIndex(), 0);
    EXPECT_EQ(form.CrossReferences->HLQueryResultsLst2->ItemIndex(), -1);
    EXPECT_EQ(Header(), "Puistjes -> Acne");
    EXPECT_TRUE(form.BackBtn->Visible());
    EXPECT_FALSE(form.MainMenuBtn->Visible());
    EXPECT_EQ(form.ClipboardCopy->MainTextToClipBrdBtn->Brush().Color(), TColor::FromRgb(0xCBD2B8))
        << "link mode's colours";

    ClickRow(form.CrossReferences->HLQueryResultsLst2, 1);
    EXPECT_EQ(Header(), "Puistjes -> Puistjes");
    EXPECT_EQ(Text(), "Ontstoken talgklieren.");
    EXPECT_EQ(form.CrossReferences->HLQueryResultsLst1->ItemIndex(), -1) << "one selected line on the page";

    TBaseBtn* copy = form.ClipboardCopy->MainTextToClipBrdBtn;
    Mouse(copy, QEvent::MouseButtonPress, {5, 5});
    EXPECT_EQ(copy->Brush().Color(), TColor::FromRgb(0x577F00));
    EXPECT_EQ(copy->Pen().Color(), TColor::FromRgb(0xCBD2B8));
    Mouse(copy, QEvent::MouseButtonRelease, {-5, -5});
    EXPECT_EQ(copy->Brush().Color(), TColor::FromRgb(0xCBD2B8));

    Click(form.BackBtn);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
    EXPECT_EQ(Header(), "Acne") << "back to the newest topic read in the section";
}

TEST_F(MainWindowTest, TypedSearch_CountsHitsAndShowsTheBestTitle) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    Click(form.SearchBtn);
    form.Search->SearchEdit->SetText("acne");
    const auto press = [&form](Qt::KeyboardModifiers modifiers) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, modifiers);
        QApplication::sendEvent(form.Search->SearchEdit->Widget(), &key);
    };
    press(Qt::ShiftModifier);
    EXPECT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 0") << "Shift+Enter does not search";
    press(Qt::NoModifier);
    std::vector<std::string> titles;
    for (const std::string& line : form.Search->QueryResultsLst->Items().Lines())
        titles.push_back(line.substr(line.find('|') + 1));
    EXPECT_EQ(titles, (std::vector<std::string>{"Acne"})) << "the book's topics only, by text";
    EXPECT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 1");
    EXPECT_EQ(Header(), "Voedingsstoffen Algemeen -> Acne");
    form.Search->SearchEdit->SetText("thema");
    press(Qt::NoModifier);
    EXPECT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 16");
    ClickRow(form.Search->QueryResultsLst, 2);
    EXPECT_EQ(Header(), "Voedingsstoffen Algemeen -> Thema 03");
    EXPECT_EQ(form.Search->SearchEdit->Text(), "thema") << "the typed text stays";
}

TEST_F(MainWindowTest, OneAction_AppliesTheStatusOnce) {
    TMainForm& form = Open();
    Click(form.Intro->EntryIntroBtn);
    const auto applications = [&form](const auto& action) {
        const int before = form.StatusApplications();
        action();
        return form.StatusApplications() - before;
    };
    EXPECT_EQ(applications([&] { Click(form.Entry2Btn); }), 1) << "a section button";
    ASSERT_EQ(Header(), "Acne");
    EXPECT_EQ(applications([&] { Click(Letter('T')); }), 1) << "a letter";
    ASSERT_EQ(Header(), "Thema 01");

    Click(form.Entry1Btn);
    Click(form.SearchBtn);
    form.Search->SearchEdit->SetText("acne");
    EXPECT_EQ(applications([&] {
                  QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                  QApplication::sendEvent(form.Search->SearchEdit->Widget(), &key);
              }),
              1)
        << "a typed search";
    ASSERT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 1");

    Click(form.BackBtn);
    ASSERT_EQ(Header(), "Acne");
    // The first link of a reading mode shows the link page before the scan, as a step of its own.
    EXPECT_EQ(applications([&] { ClickLink(form, "puistjes"); }), 2) << "the first link";
    ASSERT_EQ(Header(), "Puistjes -> Acne");
    EXPECT_EQ(applications([&] { ClickLink(form, "puistjes"); }), 1) << "a link in link mode";
    EXPECT_EQ(Header(), "Puistjes -> Acne");
}

TEST_F(MainWindowTest, LetterButton_FromLineOne_WrapsToTheOnlyMatchOnLineZero) {
    TMainForm& form = Open(
        {{1, "1|Aambeien", "Aambeien."}, {2, "1|Brandwond", "Brandwond."}, {3, "1|Buikpijn", "Buikpijn."}});
    Click(form.Intro->EntryIntroBtn);
    ASSERT_EQ(form.Contents->ContentLst->ItemIndex(), 0);
    ClickRow(form.Contents->ContentLst, 1);
    ASSERT_EQ(Header(), "Brandwond");
    Click(Letter('A'));
    EXPECT_EQ(form.Contents->ContentLst->ItemIndex(), 0);
    EXPECT_EQ(Header(), "Aambeien");
}

} // namespace
} // namespace orvalis
