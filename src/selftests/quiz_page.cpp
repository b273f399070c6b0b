#include "selftests/quiz_page.h"
#include "controls/bk_control.h"
#include "controls/design_controls.h"
#include "controls/hand_cursors.h"
#include "platform/label.h"
#include "platform/message_boxes.h"
#include "platform/page_stack.h"
#include "platform/paths.h"
#include "platform/radio_button.h"
#include "selftests/section_file.h"

namespace orvalis {

namespace {

constexpr const char* QuizFile = "D\\Quiz.dat";
constexpr const char* CrLf = "\r\n";
// A question needs its text, three alternatives and the number of the right one on line 7.
constexpr size_t QuestionLineCount = 7;

TLabel* MakeWrappedLabel(TWinControl* parent, TRect bounds, const TTextLook& look) {
    TLabel* label = MakeLabel(parent, bounds, "", look);
    label->SetWordWrap(true);
    return label;
}

} // namespace

TQuizPage::TQuizPage(TPageHost& host, TWinControl* page) : FHost(host) {
    QuizBk = MakeBackground(page);
    MakeHeaderPair(page, 610, "Orvakwis", QuizHeader, QuizHeaderBk);
    QuizQuestionText = MakeWrappedLabel(page, Bounds(40, 35, 560, 40), {"Arial", 11, TFontStyle::fsBold});
    const auto alternative = [page, this](int top, TRadioButton*& button, TLabel*& text) {
        button = new TRadioButton(page);
        button->SetBounds(40, top, 17, 17);
        button->Hide();
        button->OnClick = [this](TObject* sender) { QuizAltClick(sender); };
        text = MakeWrappedLabel(page, Bounds(60, top, 540, 40), {});
        text->OnClick = [this](TObject* sender) { QuizAltClick(sender); };
    };
    alternative(90, QuizAlt1RBtn, QuizAlt1Text);
    alternative(130, QuizAlt2RBtn, QuizAlt2Text);
    alternative(170, QuizAlt3RBtn, QuizAlt3Text);
    QuizAnswerText = MakeWrappedLabel(page, Bounds(40, 200, 560, 100), {});
    QuizDoneBtn = MakeButton(page, Bounds(40, 310, 120, 18), "Klaar", "", TFace::Drawn);
    QuizDoneBtn->OnClick = [this](TObject* sender) { QuizDoneBtnClick(sender); };
    QuizNextQuestionBtn = MakeButton(page, Bounds(480, 310, 120, 18), "Volgende Vraag", "", TFace::Drawn);
    QuizNextQuestionBtn->OnClick = [this](TObject* sender) { QuizNextQuestionBtnClick(sender); };
    QuizScoreLbl =
        MakeLabel(page, Bounds(240, 310, 160, 18), "", {"Arial", 11, {}, clBlack, TAlignment::taCenter});
    QuizScoreLbl->Hide();
}

void TQuizPage::AdaptColors() {
    for (TLabel* label : {QuizHeader, QuizHeaderBk})
        AdaptToScreen(*label);
}

void TQuizPage::SetCursors() {
    for (TRadioButton* button : RadioButtons())
        button->SetCursor(crHandCursor);
    for (TLabel* text : AltTexts())
        text->SetCursor(crHandCursor);
}

bool TQuizPage::QuestionShown() const {
    const std::vector<std::string>* lines = Lines();
    return lines && lines->size() >= QuestionLineCount;
}

void TQuizPage::QuizBtnClick(TObject* Sender) {
    const TActionScope action(FHost);
    QuizAsked.fill(0);
    QuizCount = 0;
    QuizCorrect = 0;
    QuizScoreLbl->SetCaption("");
    FHost.OpenSelfTestPage(TSelfTestPage::Quiz);
    QuizNewQuestion();
    FHost.UpdateStatus(Sender);
}

void TQuizPage::QuizNewQuestion() {
    QuizQuestionText->SetCaption("");
    for (TRadioButton* button : RadioButtons()) {
        button->Hide();
        button->SetChecked(false);
    }
    for (TLabel* text : AltTexts())
        text->SetCaption("");
    QuizAnswerText->SetCaption("");
    if (std::vector<std::string>* lines = Lines())
        lines->clear();
    // The round is full after twelve questions; the next button starts a new one instead.
    if (QuizCount >= QuizRoundLength)
        return;

    const int32_t number = DrawQuestionNumber(QuizAsked, RandomBelow);
    QuizAsked[QuizCount] = number;
    ++QuizCount;
    ReadQuizSection("Q" + std::to_string(number));
    ReadQuizSection("A" + std::to_string(number));

    if (QuestionShown()) {
        const std::vector<std::string>& lines = *Lines();
        QuizQuestionText->SetCaption("Vraag " + std::to_string(QuizCount) + ": " + lines[0]);
        for (size_t k = 0; k < 3; ++k) {
            RadioButtons()[k]->Show();
            RadioButtons()[k]->SetEnabled(true);
            AltTexts()[k]->SetCaption(lines[k + 2]);
        }
    }
    QuizDoneBtn->Hide();
    QuizNextQuestionBtn->Hide();
    KeepKeyboardFocus(QuizAlt1RBtn);
}

void TQuizPage::ReadQuizSection(const std::string& name) {
    std::vector<std::string>* lines = Lines();
    if (!lines)
        return;
    std::vector<std::string> body = ReadSectionLines(ProgramPath(QuizFile), name);
    lines->insert(lines->end(), std::make_move_iterator(body.begin()), std::make_move_iterator(body.end()));
}

void TQuizPage::QuizKeyDown(TObject*, int& Key, TShiftState Shift) {
    if (Shift != 0)
        return;
    if (Key >= '1' && Key <= '3') {
        TLabel* text = AltTexts()[static_cast<size_t>(Key - '1')];
        Key = 0;
        QuizAltClick(text);
    } else if (Key == vkReturn) {
        for (TBaseBtn* button : {QuizDoneBtn, QuizNextQuestionBtn})
            if (button->Showing()) {
                Key = 0;
                button->Click();
                return;
            }
    }
}

void TQuizPage::QuizAltClick(TObject* Sender) {
    if (QuizNextQuestionBtn->Visible()) {
        MessageBoxes().Beep();
        return;
    }
    // A question that could not be read shows no alternatives to choose from: its empty labels do
    // nothing, so that "Klaar" never judges an answer without line 7.
    if (!QuestionShown())
        return;
    for (size_t k = 0; k < 3; ++k)
        if (Sender == AltTexts()[k])
            RadioButtons()[k]->SetChecked(true);
    bool chosen = false;
    for (TRadioButton* button : RadioButtons())
        chosen = chosen || button->Checked();
    QuizDoneBtn->SetVisible(chosen);
}

void TQuizPage::QuizDoneBtnClick(TObject*) {
    QuizDoneBtn->Hide();
    if (!QuestionShown())
        return;
    const std::vector<std::string>& lines = *Lines();
    std::string answer;
    if (const int right = RightAlternative(lines)) {
        if (RadioButtons()[static_cast<size_t>(right - 1)]->Checked()) {
            answer = std::string("GOED") + CrLf;
            ++QuizCorrect;
        } else {
            answer = "FOUT, het juiste antwoord was " + lines[6] + CrLf;
        }
    }
    QuizScoreLbl->SetCaption("Score: " + std::to_string(QuizScore(QuizCorrect)));
    for (size_t i = QuestionLineCount; i < lines.size(); ++i)
        answer += CrLf + lines[i];
    QuizAnswerText->SetCaption(answer);
    QuizNextQuestionBtn->Show();
    for (TRadioButton* button : RadioButtons())
        button->SetEnabled(false);
    KeepKeyboardFocus(QuizNextQuestionBtn);
}

// Hiding the focused control would send the focus on to whatever comes next in the window (the button
// strip); a reader using the keyboard goes on where the question continues.
void TQuizPage::KeepKeyboardFocus(TControl* control) {
    if (KeyboardCues() && control->Showing())
        control->SetFocus();
}

void TQuizPage::QuizNextQuestionBtnClick(TObject* Sender) {
    if (QuizCount < QuizRoundLength) {
        QuizNewQuestion();
        return;
    }
    MessageBoxes().Information("Deze quizronde is be\xEBndigt, uw " + QuizScoreLbl->Caption() + CrLf + CrLf +
                               "Druk op OK voor de volgende ronde");
    QuizBtnClick(Sender);
}

} // namespace orvalis
