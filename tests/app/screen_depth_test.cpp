// Every page of the main window, rendered into a 16-bit image, shows what the 32-bit rendering shows, to
// the colour precision of 16 bits: a 16-bit screen once got its texts garbled and repeated half a row away.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "db_fixture.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/message_boxes.h"
#include "platform/page_stack.h"
#include "platform/paths.h"
#include "platform/screen.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace orvalis {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::vector<TRawRecord> Records() {
    std::vector<TRawRecord> r{
        {1, "1|Acne", "<B>Acne</B> en <I>puistjes</I>: zie <A HREF=puistjes>puistjes</A> {of} meer."},
        {2, "1|Acne|Acne", "Extra over acne."},
        {3, "1|Brandwond", "Brandwond."},
        {4, "2|Alcohol", "Alcohol en acne."},
        {5, "4|Puistjes", "Ontstoken talgklieren."},
    };
    return r;
}

// "Vraag n" with three alternatives, the second one right.
std::string QuizFile() {
    std::string text = "Vragen\r\n";
    for (int n = 1; n <= 12; ++n) {
        const std::string number = std::to_string(n);
        text += "[Q" + number + "]\r\nVraag " + number + "\r\n\r\n";
        for (int k = 1; k <= 3; ++k)
            text += "Alternatief " + std::to_string(k) + "\r\n";
        text += "[A" + number + "]\r\n\r\n2\r\nUitleg " + number + "\r\n";
    }
    return text;
}

// Where the 16-bit rendering strays from the 32-bit one by more than 16 bits' precision allows: three steps
// of 5-bit red and blue and of 6-bit green, as blending in 16 bits (the edits' anti-aliased text, smoothly
// scaled pictures) rounds its weights too. Empty when it does not.
std::string Strays(const QImage& deep, const QImage& shallow) {
    const QImage a = deep.convertToFormat(QImage::Format_RGB32);
    const QImage b = shallow.convertToFormat(QImage::Format_RGB32);
    if (a.size() != b.size())
        return "sizes differ";
    int count = 0;
    QRect where;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (std::abs(qRed(p[x]) - qRed(q[x])) > 24 || std::abs(qGreen(p[x]) - qGreen(q[x])) > 12 ||
                std::abs(qBlue(p[x]) - qBlue(q[x])) > 24) {
                ++count;
                where |= QRect(x, y, 1, 1);
            }
        }
    }
    if (count == 0)
        return {};
    std::ostringstream out;
    out << count << " pixels, the first " << std::hex << a.pixel(where.topLeft()) << " against "
        << b.pixel(where.topLeft()) << std::dec << ", within (" << where.left() << "," << where.top() << ")-("
        << where.right() << "," << where.bottom() << ")";
    return out.str();
}

class ScreenDepthTest : public testing::Test {
protected:
    void SetUp() override {
        const char* built = std::getenv("ORVALIS_PROGRAM_DIR");
        ASSERT_NE(built, nullptr);
        fs::create_directory_symlink(fs::path(built) / "I", Folder.Path() / "I");
        fs::create_directories(Folder.Path() / "D");
        test::WriteBytes(Folder.File("D/iDbRecs.dat"), test::Encode(Records()));
        test::WriteBytes(Folder.File("D/4.Hnt"), "<B>Disclaimer</B>: geen medisch advies.");
        test::WriteBytes(Folder.File("D/Quiz.dat"), QuizFile());
        test::WriteBytes(Folder.File("D/BMI.dat"), "[start]\r\nVul in.\r\n[normaalgewicht]\r\nGoed zo.\r\n");
        FPreviousFolder = SetProgramFolder(Folder.Path().string());
        Form = std::make_unique<TMainForm>();
        Form->ShowWindow();
    }
    void TearDown() override {
        Form.reset();
        SetProgramFolder(FPreviousFolder);
        SetScreenVariant(0);
    }

    static void Click(TControl* control, QPoint at) {
        ASSERT_TRUE(control->Widget()->isVisible());
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, control->Widget()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(control->Widget(), &e);
        }
    }
    static void Click(TControl* control) {
        Click(control, QPoint(control->Width() / 2, control->Height() / 2));
    }
    static void Type(TEdit* edit, const std::string& text) {
        for (char c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
            QApplication::sendEvent(edit->Widget(), &press);
        }
    }

    // The window as it is now, rendered at both depths and compared.
    void ExpectSameAtSixteenBits(const std::string& page) {
        QWidget* window = Form->Widget();
        QImage deep(window->size(), QImage::Format_RGB32);
        QImage shallow(window->size(), QImage::Format_RGB16);
        deep.fill(Qt::white);
        shallow.fill(Qt::white);
        window->render(&deep);
        window->render(&shallow);
        EXPECT_EQ(Strays(deep, shallow), "") << page;
    }

    TempDir Folder;
    // A 16-bit screen of 1024x768, laid out at 800x600 as a reader sees it.
    TScreenOverride Screen16{{.Width = 1024, .Height = 768, .BitsPerPixel = 16}};
    RecordingMessageBoxes Boxes;
    TMessageBoxesOverride BoxesOverride{Boxes};
    std::unique_ptr<TMainForm> Form;

private:
    std::string FPreviousFolder;
};

TEST_F(ScreenDepthTest, GarbledTextOnSixteenBits_EveryPageAsAtThirtyTwo) {
    TMainForm& form = *Form;
    ExpectSameAtSixteenBits("intro page with its hint");

    Click(form.Intro->EntryIntroBtn);
    ASSERT_EQ(form.MainPages->ActivePage(), form.MainPage);
    ExpectSameAtSixteenBits("first section: contents, letters and the topic with a link");
    Click(form.Topic->ExtraInfoBtn);
    ExpectSameAtSixteenBits("extra text of the topic");
    Click(form.Topic->GoToBtn);
    ExpectSameAtSixteenBits("history list");
    Click(form.Entry2Btn);
    ExpectSameAtSixteenBits("second section");

    Click(form.SearchBtn);
    form.Search->SearchEdit->SetText("acne");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(form.Search->SearchEdit->Widget(), &enter);
    ASSERT_EQ(form.NavPages->ActivePage(), form.SearchPage);
    ExpectSameAtSixteenBits("search page with its results");
    Click(form.BackBtn);

    Click(form.Entry1Btn);
    TPointerChain& links = form.Topic->MainText->HyperLinks();
    ASSERT_GE(links.Count(), 1);
    const auto* area = static_cast<const THyperLinkArea*>(links.Get(1));
    Click(form.Topic->MainText,
          QPoint((area->Area.Left + area->Area.Right) / 2, (area->Area.Top + area->Area.Bottom) / 2));
    ASSERT_EQ(form.NavPages->ActivePage(), form.HyperLinkPage);
    ExpectSameAtSixteenBits("link page");
    Click(form.BackBtn);

    Click(form.MainMenuBtn);
    Click(form.Intro->QuizIntroBtn);
    ASSERT_EQ(form.MainPages->ActivePage(), form.QuizPage);
    Click(form.Quiz->QuizAlt2Text);
    ExpectSameAtSixteenBits("quiz with an alternative chosen");

    Click(form.MainMenuBtn);
    Click(form.Intro->BMITestIntroBtn);
    ASSERT_EQ(form.MainPages->ActivePage(), form.BMITestPage);
    Type(form.Bmi->BMITestLengthEdit, "180");
    Type(form.Bmi->BMITestWeightEdit, "75");
    Click(form.Bmi->BMITestCalculateBtn);
    ExpectSameAtSixteenBits("BMI test with its result");
}

} // namespace
} // namespace orvalis
