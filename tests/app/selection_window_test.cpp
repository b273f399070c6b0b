// Selecting a passage of the topic text in the real main window in-process, with real mouse and key events.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "content/markup_tags.h"
#include "controls/base_btn.h"
#include "db_fixture.h"
#include "output/clipboard_copy.h"
#include "platform/label.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "platform/services.h"
#include "window_events.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

const std::string AcneText =
    "Zie <A HREF=puistjes>puistjes</A> bij <B>vette</B> huid, zie <A HREF=talg>talg</A>.<HIDE> Intern.<SHOW>";

class SelectionWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(
            Folder.File("D/iDbRecs.dat"),
            test::Encode({{1, "1|Acne", AcneText}, {200, "4|Puistjes", "Ontstoken talgklieren."}}));
        FPreviousClipboard = SetClipboard(&Clip);
        Form = std::make_unique<TMainForm>();
        Form->ShowWindow();
        test::Activate(*Form);
    }
    void TearDown() override {
        Form.reset();
        SetClipboard(FPreviousClipboard);
        SetScreenVariant(0);
    }

    test::ProgramFolder Folder;
    TScreenOverride Screen640{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
    MemoryClipboard Clip;
    std::unique_ptr<TMainForm> Form;

private:
    TClipboard* FPreviousClipboard = nullptr;
};

TEST_F(SelectionWindowTest, DragCtrlCCopiesTheSliceKlembordTheTopicAClickStillFollowsALink) {
    TMainForm& form = *Form;
    test::Click(form.Intro->EntryIntroBtn);
    ASSERT_EQ(form.Topic->MainTextHeaderLbl->Caption(), "Acne");
    GParserControl* text = form.Topic->MainText;
    const TRect talg = text->LinkRect(2);
    const int y = (talg.Top + talg.Bottom) / 2;

    // From left of the text to the first letter of the second link: over the first link and the bold run.
    test::Drag(text, QPoint(0, y), QPoint(talg.Left + 1, y));
    EXPECT_TRUE(form.Topic->MainTextCtrl->Focused()) << "the text takes the keyboard after the drag";
    test::Key(form.Widget(), Qt::Key_C, Qt::ControlModifier);
    const std::string plain = PlainTopicText(AcneText);
    EXPECT_EQ(Clip.Text(), plain.substr(0, plain.find("talg")));
    EXPECT_EQ(Clip.Text(), "Zie puistjes bij vette huid, zie ");
    EXPECT_TRUE(form.State.Has(nfContent)) << "the drag followed no link";

    test::Key(form.Widget(), Qt::Key_A, Qt::ControlModifier);
    test::Key(form.Widget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clip.Text(), "Zie puistjes bij vette huid, zie talg.")
        << "all of it, without the hidden passage";

    test::Click(form.ClipboardCopy->MainTextToClipBrdBtn);
    EXPECT_EQ(Clip.Text(), ClipboardTopicText("Acne", AcneText)) << "Klembord still copies the whole topic";

    const TRect puistjes = text->LinkRect(1);
    test::Click(text, QPoint(puistjes.Left + 2, (puistjes.Top + puistjes.Bottom) / 2));
    EXPECT_TRUE(form.State.Has(nfHyperLink)) << "a click without a drag follows the link";
    EXPECT_TRUE(form.Topic->MainText->Selection().Empty()) << "the selection went with the text";
}

} // namespace
} // namespace orvalis
