// "Bedoelde u …?" on the real window in-process: a typed search without hits offers corrections, and a
// click on one, as the window system delivers it, searches for it.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "db_fixture.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "window_events.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvalis {
namespace {

using test::Click;

class CorrectionsWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(Folder.File("D/iDbRecs.dat"),
                         test::Encode({{1, "1|Hoofdpijn", "Bij hoofdpijn helpt rust."},
                                       {2, "1|Koorts", "Bij koorts en hoofdpijnen: drinken."},
                                       {3, "2|Zink", "Veel zink in noten."}}));
        Form = std::make_unique<TMainForm>();
        Form->ShowWindow();
        test::Activate(*Form);
        Click(Form->Intro->EntryIntroBtn);
        Click(Form->SearchBtn);
    }
    void TearDown() override {
        Form.reset();
        SetScreenVariant(0);
    }
    void Search(const std::string& text) {
        Form->Search->SearchEdit->SelectAll();
        test::Type(Form->Widget(), text);
        test::Key(Form->Widget(), Qt::Key_Return);
    }
    TSearchCorrections& Offer() const { return *Form->Search->Corrections; }
    bool Offered() const { return Offer().CorrectionsCtrl->Widget()->isVisible(); }

    test::ProgramFolder Folder;
    TScreenOverride Screen640{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
    std::unique_ptr<TMainForm> Form;
};

TEST_F(CorrectionsWindowTest, TypoWithoutHits_OffersTheBooksWordsAndAClickSearchesForOne) {
    TMainForm& form = *Form;
    Search("hoofdpijnan");
    EXPECT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 0");
    ASSERT_TRUE(Offered());
    GParserControl& text = *Offer().CorrectionsText;
    EXPECT_EQ(std::string(text.GetText()),
              "Bedoelde u <A HREF=\"Hoofdpijn\">Hoofdpijn</A> of <A HREF=\"hoofdpijnen\">hoofdpijnen</A>?");
    ASSERT_EQ(text.LinkCount(), 2);
    const TRect link = text.LinkRect(2);
    EXPECT_LE(link.Bottom, Offer().CorrectionsCtrl->Height()) << "the offer fits its box";

    Click(&text, QPoint((link.Left + link.Right) / 2, (link.Top + link.Bottom) / 2));
    EXPECT_EQ(form.Search->SearchEdit->Text(), "hoofdpijnen");
    EXPECT_EQ(form.Search->QueryResultsLstLbl->Caption(), "Gevonden: 1");
    EXPECT_EQ(form.Topic->MainTextHeaderLbl->Caption(), "Klachten -> Koorts");
    EXPECT_FALSE(Offered()) << "a search with hits offers nothing";
}

TEST_F(CorrectionsWindowTest, NothingNear_OrAnEmptyOrOverlongQuery_OffersNothing) {
    Search("qqqqqq");
    EXPECT_EQ(Form->Search->QueryResultsLstLbl->Caption(), "Gevonden: 0");
    EXPECT_FALSE(Offered());
    Search("hoofpijn");
    ASSERT_TRUE(Offered());
    Form->Search->SearchEdit->SetText("");
    test::Key(Form->Widget(), Qt::Key_Return);
    EXPECT_FALSE(Offered()) << "the next search takes the offer away";
    Form->Search->SearchEdit->SetText(std::string(300, 'z'));
    test::Key(Form->Widget(), Qt::Key_Return);
    EXPECT_EQ(Form->Search->QueryResultsLstLbl->Caption(), "Gevonden: 0");
    EXPECT_FALSE(Offered());
}

} // namespace
} // namespace orvalis
