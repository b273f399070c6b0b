// Faults a reader met in the real window, each driven by the events the window system delivers: the place
// kept over minimise and restore, the hover that ends when the window loses the pointer, the wheel over
// the lists, the fields' text size, the text kept clear of the scroll bar and the painted farewell.
#include "app/about_box.h"
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "db_fixture.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/page_stack.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "platform/services.h"
#include "window_events.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

using test::Click;
using test::ClickRow;
using test::Enter;
using test::Leave;

// A topic of many lines with a picture at the right edge, taller than the text area.
std::string LongTopic() {
    std::string text = "<IMG NAME=I\\T\\groente.png ALIGN=RIGHT>\r\n";
    for (int i = 1; i <= 80; ++i)
        text += "Regel " + std::to_string(i) + " over hoofdpijn en rust.\r\n";
    return text;
}

std::vector<TRawRecord> Records() {
    std::vector<TRawRecord> r{{1, "1|Aambeien", "Aambeien."}, {2, "1|Hoofdpijn", LongTopic()}};
    for (int i = 1; i <= 30; ++i)
        r.push_back({uint32_t(10 + i), "1|Thema " + std::string(i < 10 ? "0" : "") + std::to_string(i),
                     "Een thema."});
    return r;
}

class ReaderWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(Folder.File("D/iDbRecs.dat"), test::Encode(Records()));
        test::WriteBytes(Folder.File("D/4.Hnt"), "Disclaimer.");
    }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        Form.reset();
        FreeAboutBox();
        SetScreenVariant(0);
    }
    TMainForm& Open() {
        Form = std::make_unique<TMainForm>();
        Application().SetMainForm(Form.get());
        Form->ShowWindow();
        QApplication::processEvents();
        return *Form;
    }
    // The section's contents with the long topic on display.
    TMainForm& OpenLongTopic() {
        TMainForm& form = Open();
        Click(form.Intro->EntryIntroBtn);
        ClickRow(form.Contents->ContentLst, 1);
        EXPECT_EQ(form.Topic->MainTextHeaderLbl->Caption(), "Hoofdpijn");
        return form;
    }
    static void Wheel(TControl* control, int notches) {
        const QPointF at(20, 10);
        QWheelEvent e(at, control->Widget()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control->Widget(), &e);
    }
    static bool Underlined(const TBaseBtn* button) {
        return button->Font().Style().Has(TFontStyle::fsUnderline);
    }

    test::ProgramFolder Folder;
    TScreenOverride Screen{{.Width = 1920, .Height = 1080, .BitsPerPixel = 24}};
    std::unique_ptr<TMainForm> Form;
};

TEST_F(ReaderWindowTest, RestoreAfterMinimise_KeepsModeTopicScrollListsAndHistory) {
    TMainForm& form = OpenLongTopic();
    form.Topic->MainTextCtrl->SetVertScrollPosition(200);
    ASSERT_EQ(form.Topic->MainTextCtrl->VertScrollPosition(), 200);
    form.Contents->ContentLst->SetTopIndex(4);
    const auto history = form.Topic->GoToLst->Items().Lines();

    Click(form.MinimizeBtn);
    QApplication::processEvents();
    ASSERT_EQ(form.WindowState(), TWindowState::wsMinimized);
    form.WMShowInstance(); // a second start brings the running copy back
    QApplication::processEvents();

    EXPECT_NE(form.WindowState(), TWindowState::wsMinimized);
    EXPECT_EQ(form.MainPages->ActivePage(), form.MainPage);
    EXPECT_EQ(form.State.NavFlags, nfContent | nfSection1);
    EXPECT_EQ(form.Topic->MainTextHeaderLbl->Caption(), "Hoofdpijn");
    EXPECT_EQ(form.Topic->MainTextCtrl->VertScrollPosition(), 200);
    EXPECT_EQ(form.Contents->ContentLst->ItemIndex(), 1);
    EXPECT_EQ(form.Contents->ContentLst->TopIndex(), 4);
    EXPECT_EQ(form.Topic->GoToLst->Items().Lines(), history);
}

TEST_F(ReaderWindowTest, Hover_EndsWhenThePointerEntersElsewhereOrLeavesTheWindow) {
    TMainForm& form = OpenLongTopic();
    // A leave the window system missed: entering the next button ends the hover of the first.
    Enter(form.Entry2Btn);
    ASSERT_TRUE(Underlined(form.Entry2Btn));
    Enter(form.SearchBtn);
    EXPECT_FALSE(Underlined(form.Entry2Btn));
    EXPECT_TRUE(Underlined(form.SearchBtn));
    // Only the window hears that the pointer left (a fast move out of it, a pop-up over it).
    Leave(&form);
    EXPECT_FALSE(Underlined(form.SearchBtn));
    // A minimised window has lost the pointer too.
    Enter(form.MainMenuBtn);
    ASSERT_TRUE(Underlined(form.MainMenuBtn));
    Click(form.MinimizeBtn);
    QApplication::processEvents();
    EXPECT_FALSE(Underlined(form.MainMenuBtn));
    EXPECT_FALSE(Underlined(form.MinimizeBtn));
}

TEST_F(ReaderWindowTest, Wheel_OverAListMovesTopIndexNotTheSelection) {
    TMainForm& form = OpenLongTopic();
    GTextControl* list = form.Contents->ContentLst;
    const TRect thumb = list->ThumbRect();
    Wheel(list, -3); // three notches towards the reader
    EXPECT_EQ(list->TopIndex(), 9);
    EXPECT_EQ(list->ItemIndex(), 1) << "the selection stays";
    EXPECT_EQ(form.Topic->MainTextHeaderLbl->Caption(), "Hoofdpijn");
    EXPECT_GT(list->ThumbRect().Top, thumb.Top) << "the thumb follows";
    Wheel(list, -9);
    EXPECT_EQ(list->TopIndex(), list->Items().Count() - 1) << "no further than the scroll bar goes";
    Wheel(list, 100);
    EXPECT_EQ(list->TopIndex(), 0);

    // A list showing fewer than six rows moves a page a notch.
    list->SetHeight(list->ItemHeight() * 4);
    Wheel(list, -1);
    EXPECT_EQ(list->TopIndex(), 3);
}

TEST_F(ReaderWindowTest, Fields_DrawTheirTextAsLargeAsTheirLabels) {
    TMainForm& form = Open();
    const auto pixels = [](TControl* control) { return control->Widget()->font().pixelSize(); };
    const int label = form.Search->SearchEditLbl->Font().PixelSize();
    EXPECT_GT(label, 11) << "the 1024x768 layout scales the design's fonts";
    EXPECT_EQ(pixels(form.Search->SearchEdit), label);
    EXPECT_EQ(pixels(form.Bmi->BMITestLengthEdit), form.Bmi->BMITestLengthHeaderLbl->Font().PixelSize());
    EXPECT_EQ(pixels(form.Bmi->BMITestWeightEdit), form.Bmi->BMITestWeightHeaderLbl->Font().PixelSize());
}

TEST_F(ReaderWindowTest, TextAndPictures_EndWhereTheScrollBarBegins) {
    TMainForm& form = OpenLongTopic();
    QApplication::processEvents();
    const TRect view = form.Topic->MainTextCtrl->VisibleRect();
    ASSERT_LT(view.Width(), form.Topic->MainTextCtrl->Width()) << "the long topic shows the scroll bar";
    // The text, and the picture aligned to its right edge, end at the view's edge.
    EXPECT_LE(form.Topic->MainText->Left() + form.Topic->MainText->Width(), view.Width());
}

TEST_F(ReaderWindowTest, Farewell_IsPaintedBeforeThePause) {
    TMainForm& form = Open();
    form.FarewellPause = {};
    QImage seen;
    form.OnFarewellPause = [&](TObject*) {
        ASSERT_NE(AboutBox(), nullptr);
        EXPECT_FALSE(form.Widget()->isVisible()) << "the main window is hidden first";
        QWidget* box = AboutBox()->Widget();
        ASSERT_TRUE(box->isVisible());
        // What the window system shows of the box now, while nothing is painted or handled.
        seen = box->windowHandle()->screen()->grabWindow(box->winId()).toImage();
    };
    Click(form.QuitBtn);
    ASSERT_FALSE(seen.isNull());
    // An unpainted window shows black; the box is the about picture on its own colour.
    int black = 0, all = 0;
    for (int y = 0; y < seen.height(); y += 4)
        for (int x = 0; x < seen.width(); x += 4, ++all)
            black += seen.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_LT(black, all / 10) << "the box is painted";
}

} // namespace
} // namespace orvalis
