// The quiz and the BMI test on the real main window in-process, driven by mouse and key events on their
// controls, over quiz and advice files made here.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "app/window_status.h"
#include "controls/bk_control.h"
#include "controls/hand_cursors.h"
#include "db_fixture.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/message_boxes.h"
#include "platform/page_stack.h"
#include "platform/panel.h"
#include "platform/paths.h"
#include "platform/radio_button.h"
#include "platform/screen.h"
#include "platform/shape.h"
#include "window_events.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace orvalis {
namespace {

namespace fs = std::filesystem;
using test::Click;
using test::Mouse;

// Question n asks "Vraag n" and has the right alternative n % 3 + 1, followed by two lines of explanation.
std::string QuizFile() {
    std::string text = "Vragen voor de test\r\n";
    for (int n = 1; n <= 150; ++n) {
        const std::string number = std::to_string(n);
        text += "[Q" + number + "]\r\nVraag " + number + "\r\n\r\n";
        for (int k = 1; k <= 3; ++k)
            text += "Alternatief " + std::to_string(k) + " van " + number + "\r\n";
        text += "[A" + number + "]\r\n\r\n" + std::to_string(n % 3 + 1) + "\r\nUitleg " + number +
                "\r\nMeer " + number + "\r\n";
    }
    return text;
}

constexpr const char* AdviceFile =
    "[start]\r\nVul in.\r\n\r\n[ondergewicht]\r\nTe licht.\r\n"
    "[normaalgewicht]\r\nGoed zo.\r\nBlijf bewegen.\r\n[overgewicht]\r\nTe zwaar.\r\n"
    "[obestias]\r\nVeel te zwaar.\r\n[mobide obestias]\r\nErnstig.\r\n";

class SelfTestsWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(Folder.File("D/Quiz.dat"), QuizFile());
        test::WriteBytes(Folder.File("D/BMI.dat"), AdviceFile);
    }
    void TearDown() override {
        Form.reset();
        SetScreenVariant(0);
    }
    TMainForm& Open() {
        Form = std::make_unique<TMainForm>();
        Form->ShowWindow();
        return *Form;
    }

    static void Type(TEdit* edit, const std::string& text) {
        for (char c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
            QApplication::sendEvent(edit->Widget(), &press);
        }
    }
    std::vector<TLabel*> AltTexts() const {
        return {Form->Quiz->QuizAlt1Text, Form->Quiz->QuizAlt2Text, Form->Quiz->QuizAlt3Text};
    }
    std::vector<TRadioButton*> RadioButtons() const {
        return {Form->Quiz->QuizAlt1RBtn, Form->Quiz->QuizAlt2RBtn, Form->Quiz->QuizAlt3RBtn};
    }
    // The number of the question on display, read from its text "Vraag k: Vraag n".
    int ShownQuestion() const {
        const std::string& text = Form->Quiz->QuizQuestionText->Caption();
        return std::stoi(text.substr(text.rfind(' ') + 1));
    }
    // Only "Hoofdmenu" in the button strip.
    void ExpectOnlyMainMenuButton() const {
        EXPECT_TRUE(Form->BtnPnl->Visible());
        EXPECT_TRUE(Form->MainMenuBtn->Visible());
        for (TBaseBtn* button :
             {Form->Entry1Btn, Form->Entry2Btn, Form->Entry3Btn, Form->SearchBtn, Form->BackBtn})
            EXPECT_FALSE(button->Visible());
    }

    test::ProgramFolder Folder;
    TScreenOverride Screen640{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
    RecordingMessageBoxes Boxes;
    TMessageBoxesOverride BoxesOverride{Boxes};
    std::unique_ptr<TMainForm> Form;

private:
};

TEST_F(SelfTestsWindowTest, QuizRound_AnsweredThroughTheLabels_ScoresInTheMessageAndStartsANewRound) {
    TMainForm& form = Open();
    std::srand(2024);
    Click(form.Intro->QuizIntroBtn);
    TQuizPage& quiz = *form.Quiz;
    EXPECT_EQ(form.MainPages->ActivePage(), form.QuizPage);
    EXPECT_EQ(form.State.NavFlags, 0);
    EXPECT_TRUE(form.Quiz->QuizBk->Background().Image().HasGraphic());
    ExpectOnlyMainMenuButton();

    std::set<int> asked;
    for (int k = 1; k <= 12; ++k) {
        const int n = ShownQuestion();
        asked.insert(n);
        EXPECT_EQ(quiz.QuizQuestionText->Caption(),
                  "Vraag " + std::to_string(k) + ": Vraag " + std::to_string(n));
        EXPECT_EQ(AltTexts()[1]->Caption(), "Alternatief 2 van " + std::to_string(n));
        EXPECT_FALSE(quiz.QuizDoneBtn->Visible());
        EXPECT_FALSE(quiz.QuizNextQuestionBtn->Visible());

        // Ten right answers, then two wrong ones.
        const int right = n % 3 + 1;
        const int chosen = k <= 10 ? right : right % 3 + 1;
        Click(AltTexts()[chosen - 1]);
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(RadioButtons()[i - 1]->Checked(), i == chosen) << "question " << k;
        Click(quiz.QuizDoneBtn);
        const std::string explanation = "\r\nUitleg " + std::to_string(n) + "\r\nMeer " + std::to_string(n);
        const std::string verdict =
            k <= 10 ? "GOED\r\n" : "FOUT, het juiste antwoord was " + std::to_string(right) + "\r\n";
        EXPECT_EQ(quiz.QuizAnswerText->Caption(), verdict + explanation);
        EXPECT_FALSE(quiz.QuizDoneBtn->Visible());
        for (TRadioButton* button : RadioButtons())
            EXPECT_FALSE(button->Enabled());

        // After the verdict another choice only beeps.
        Boxes.Clear();
        Click(AltTexts()[right % 3]);
        ASSERT_EQ(Boxes.Entries().size(), 1u);
        EXPECT_EQ(Boxes.Entries()[0].Kind, RecordingMessageBoxes::TKind::Beep);
        EXPECT_TRUE(RadioButtons()[chosen - 1]->Checked()) << "the choice stays";
        EXPECT_FALSE(quiz.QuizDoneBtn->Visible());
        Boxes.Clear();
        Click(quiz.QuizNextQuestionBtn);
    }
    EXPECT_EQ(asked.size(), 12u) << "no question twice in a round";
    ASSERT_EQ(Boxes.Entries().size(), 1u);
    EXPECT_EQ(Boxes.Entries()[0].Kind, RecordingMessageBoxes::TKind::Information);
    EXPECT_EQ(Boxes.Entries()[0].Text,
              "Deze quizronde is be\xEBndigt, uw Score: 7\r\n\r\nDruk op OK voor de volgende ronde");

    // The new round starts after the message.
    EXPECT_EQ(quiz.QuizCount, 1);
    EXPECT_EQ(quiz.QuizCorrect, 0);
    EXPECT_EQ(quiz.QuizScoreLbl->Caption(), "");
    EXPECT_EQ(quiz.QuizQuestionText->Caption().substr(0, 9), "Vraag 1: ");
    EXPECT_TRUE(quiz.QuizAnswerText->Caption().empty());
    for (TRadioButton* button : RadioButtons()) {
        EXPECT_TRUE(button->Visible());
        EXPECT_TRUE(button->Enabled());
        EXPECT_FALSE(button->Checked());
    }
}

TEST_F(SelfTestsWindowTest, Quiz_LeavingAndComingBack_StartsANewRound) {
    TMainForm& form = Open();
    Click(form.Intro->QuizIntroBtn);
    TQuizPage& quiz = *form.Quiz;
    for (TLabel* text : AltTexts())
        EXPECT_EQ(text->Cursor(), crHandCursor) << "the alternatives show that they can be clicked";
    EXPECT_EQ(quiz.QuizAnswerText->Cursor(), crHandNoFingersCursor);
    Click(RadioButtons()[0]);
    EXPECT_TRUE(RadioButtons()[0]->Checked());
    EXPECT_TRUE(quiz.QuizDoneBtn->Visible()) << "the radio button chooses as the label does";
    Click(quiz.QuizDoneBtn);
    Click(quiz.QuizNextQuestionBtn);
    EXPECT_EQ(quiz.QuizCount, 2);

    // The action buttons take the hover and pressed feedback of the text buttons.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    Click(RadioButtons()[1]);
    QApplication::sendEvent(quiz.QuizDoneBtn->Widget(), &enter);
    EXPECT_TRUE(quiz.QuizDoneBtn->Font().Style().Has(TFontStyle::fsUnderline));
    Mouse(quiz.QuizDoneBtn, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(quiz.QuizDoneBtn->Brush().Color(), PressedFaceColors(0).Brush);
    Mouse(quiz.QuizDoneBtn, QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(quiz.QuizDoneBtn->Brush().Color(), RestingFaceColors(0).Brush);

    Click(form.MainMenuBtn);
    EXPECT_EQ(form.MainPages->ActivePage(), form.IntroPage);
    Click(form.Intro->QuizIntroBtn);
    EXPECT_EQ(quiz.QuizCount, 1);
    EXPECT_EQ(quiz.QuizCorrect, 0);
    EXPECT_EQ(quiz.QuizQuestionText->Caption().substr(0, 9), "Vraag 1: ");
}

TEST_F(SelfTestsWindowTest, Quiz_DamagedQuestions_ShowWhatTheyCanAndNeverReadPastTheirLines) {
    // Question 1 stops after five lines, question 2 names no alternative on line 7, question 3 has a
    // header with a trailing space.
    test::WriteBytes(Folder.File("D/Quiz.dat"),
                     "[Q1]\r\nKort\r\n\r\na\r\nb\r\n[A1]\r\n"
                     "[Q2]\r\nVraag twee\r\n\r\na\r\nb\r\nc\r\n[A2]\r\n\r\n4\r\nUitleg\r\n"
                     "[Q3] \r\nVraag drie\r\n\r\na\r\nb\r\nc\r\n[A3]\r\n\r\n1\r\n");
    TMainForm& form = Open();
    TQuizPage& quiz = *form.Quiz;
    quiz.RandomBelow = [next = 0](int) mutable { return next++; };
    Click(form.Intro->QuizIntroBtn);

    EXPECT_EQ(quiz.QuizAsked[0], 1);
    EXPECT_EQ(quiz.QuizQuestionText->Caption(), "");
    for (TRadioButton* button : RadioButtons())
        EXPECT_FALSE(button->Visible());
    Click(AltTexts()[0]);
    EXPECT_FALSE(RadioButtons()[0]->Checked()) << "an empty alternative chooses nothing";
    EXPECT_FALSE(quiz.QuizDoneBtn->Visible());
    EXPECT_FALSE(quiz.QuizNextQuestionBtn->Visible()) << "the reader can only leave the page";
    quiz.QuizDoneBtnClick(quiz.QuizDoneBtn);
    EXPECT_EQ(quiz.QuizAnswerText->Caption(), "") << "even a forced confirm judges nothing";

    // Question 2 through the handler that the next button calls.
    quiz.QuizNextQuestionBtnClick(quiz.QuizNextQuestionBtn);
    EXPECT_EQ(quiz.QuizQuestionText->Caption(), "Vraag 2: Vraag twee");
    Click(AltTexts()[2]);
    Click(quiz.QuizDoneBtn);
    EXPECT_EQ(quiz.QuizAnswerText->Caption(), "\r\nUitleg") << "no verdict, the explanation still";
    EXPECT_EQ(quiz.QuizCorrect, 0);
    EXPECT_EQ(quiz.QuizScoreLbl->Caption(), "Score: 0");

    Click(quiz.QuizNextQuestionBtn);
    EXPECT_EQ(quiz.QuizAsked[2], 3);
    EXPECT_EQ(quiz.QuizQuestionText->Caption(), "") << "a header with a trailing space is not found";

    // Without the file every question is empty, and the round still counts them.
    fs::remove(Folder.File("D/Quiz.dat"));
    Click(form.MainMenuBtn);
    Click(form.Intro->QuizIntroBtn);
    EXPECT_EQ(quiz.QuizCount, 1);
    EXPECT_EQ(quiz.QuizQuestionText->Caption(), "");
    EXPECT_TRUE(form.Quiz->QuizLines->empty());
}

TEST_F(SelfTestsWindowTest, Bmi_TypedHeightAndWeight_GiveTheClassAdviceAndBarColour) {
    TMainForm& form = Open();
    Click(form.Intro->BMITestIntroBtn);
    TBmiPage& bmi = *form.Bmi;
    EXPECT_EQ(form.MainPages->ActivePage(), form.BMITestPage);
    EXPECT_TRUE(form.Bmi->BMITestBk->Background().Image().HasGraphic());
    ExpectOnlyMainMenuButton();
    EXPECT_EQ(bmi.BMITestResultText->Caption(), "Vul in.\r\n\r\n");
    EXPECT_EQ(bmi.BMIGauge->Brush().Color(), clLime);

    Type(bmi.BMITestLengthEdit, "1,80e2");
    Type(bmi.BMITestWeightEdit, "81");
    EXPECT_EQ(bmi.BMITestLengthEdit->Text(), "1,80e2");
    Click(bmi.BMITestCalculateBtn);
    EXPECT_EQ(bmi.BMITestResultText->Caption(), "Uw BMI is 25\r\n\r\nGoed zo.\r\nBlijf bewegen.\r\n");

    const struct {
        const char* Length;
        const char* Weight;
        const char* Result;
        TColor Color;
    } cases[] = {
        {"180", "65,5", "Uw BMI is 20\r\n\r\nTe licht.\r\n", TColor::FromRgb(0x800000)},
        {"180", "55", "Uw BMI is 17\r\n\r\nTe licht.\r\n", clRed},
        {"170 cm", "70", "Uw BMI is 51\r\n\r\nErnstig.\r\n", clRed},
        {"180", "95", "Uw BMI is 29\r\n\r\nTe zwaar.\r\n", TColor::FromRgb(0x008000)},
        {"180", "-5", "Kan BMI niet berekenen", TColor::FromRgb(0x008000)}, // the bar keeps its colour
        {"1e-200", "80", "Kan BMI niet berekenen", TColor::FromRgb(0x008000)},
        {"", "", "Uw BMI is 51\r\n\r\nErnstig.\r\n", clRed},
        {"180", "nan", "Uw BMI is 0\r\n\r\nTe licht.\r\n", clRed},
        {"180", "1e400", "Uw BMI is 0\r\n\r\nTe licht.\r\n", clRed},
    };
    for (const auto& c : cases) {
        bmi.BMITestLengthEdit->SetText(c.Length);
        bmi.BMITestWeightEdit->SetText(c.Weight);
        Click(bmi.BMITestCalculateBtn);
        EXPECT_EQ(bmi.BMITestResultText->Caption(), c.Result) << c.Length << " / " << c.Weight;
        EXPECT_EQ(bmi.BMIGauge->Brush().Color(), c.Color) << c.Length << " / " << c.Weight;
        EXPECT_EQ(bmi.BMIGauge->Pen().Color(), c.Color) << c.Length << " / " << c.Weight;
    }

    // Reopened, the page starts empty again but the bar keeps the last colour.
    bmi.BMITestLengthEdit->SetText("180");
    bmi.BMITestWeightEdit->SetText("95");
    Click(bmi.BMITestCalculateBtn);
    Click(form.MainMenuBtn);
    Click(form.Intro->BMITestIntroBtn);
    EXPECT_EQ(bmi.BMITestLengthEdit->Text(), "");
    EXPECT_EQ(bmi.BMITestWeightEdit->Text(), "");
    EXPECT_EQ(bmi.BMITestResultText->Caption(), "Vul in.\r\n\r\n");
    EXPECT_EQ(bmi.BMIGauge->Brush().Color(), TColor::FromRgb(0x008000));

    // Without the advice file only the index is stated.
    fs::remove(Folder.File("D/BMI.dat"));
    Click(bmi.BMITestCalculateBtn);
    EXPECT_EQ(bmi.BMITestResultText->Caption(), "Uw BMI is 51\r\n\r\n");
}

} // namespace
} // namespace orvalis
