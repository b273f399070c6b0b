#pragma once

#include "host/page_host.h"
#include "platform/control.h"
#include "selftests/quiz_round.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvalis {

class TBaseBtn;
class TBkControl;
class TLabel;
class TRadioButton;
class TWinControl;

// The quiz page: rounds of twelve multiple-choice questions drawn from the quiz file without repeats, each
// answered, judged and explained in turn, and the round's score in a message at its end.
class TQuizPage {
public:
    // Builds the page's controls at their design positions.
    TQuizPage(TPageHost& host, TWinControl* page);
    TQuizPage(const TQuizPage&) = delete;
    TQuizPage& operator=(const TQuizPage&) = delete;

    // Gives the alternatives the hand cursor, after the window gave every plain control its own.
    void SetCursors();
    // The header's colours as the screen can show them.
    void AdaptColors();

    TBkControl* QuizBk = nullptr;
    TLabel* QuizHeaderBk = nullptr;
    TLabel* QuizHeader = nullptr;
    TLabel* QuizQuestionText = nullptr;
    TRadioButton* QuizAlt1RBtn = nullptr;
    TRadioButton* QuizAlt2RBtn = nullptr;
    TRadioButton* QuizAlt3RBtn = nullptr;
    TLabel* QuizAlt1Text = nullptr;
    TLabel* QuizAlt2Text = nullptr;
    TLabel* QuizAlt3Text = nullptr;
    TLabel* QuizAnswerText = nullptr;
    TBaseBtn* QuizDoneBtn = nullptr;
    TBaseBtn* QuizNextQuestionBtn = nullptr;
    TLabel* QuizScoreLbl = nullptr;

    // The question's lines; none after the close query freed them.
    std::unique_ptr<std::vector<std::string>> QuizLines = std::make_unique<std::vector<std::string>>();

    // The round: the numbers asked so far (entry k for the k-th question, 0 for none yet), how many were
    // asked and how many were answered right.
    std::array<int32_t, QuizRoundLength> QuizAsked{};
    uint8_t QuizCount = 0;
    uint8_t QuizCorrect = 0;

    // Where the questions are drawn from; the program-wide generator unless a test puts another here.
    TRandomBelow RandomBelow = ProgramRandomBelow;

    void QuizBtnClick(TObject* Sender);
    void QuizNewQuestion();
    void QuizAltClick(TObject* Sender);
    void QuizDoneBtnClick(TObject* Sender);
    void QuizNextQuestionBtnClick(TObject* Sender);
    // The page's keys: 1, 2 and 3 act as clicks on the alternatives' texts; Enter as "Klaar" while it shows,
    // else as "Volgende Vraag" while that shows.
    void QuizKeyDown(TObject* Sender, int& Key, TShiftState Shift);
    // Appends the body of one section of the quiz file to the question's lines.
    void ReadQuizSection(const std::string& name);

private:
    // Alternative k (0 ... 2): its radio button and its label.
    std::array<TRadioButton*, 3> RadioButtons() const { return {QuizAlt1RBtn, QuizAlt2RBtn, QuizAlt3RBtn}; }
    std::array<TLabel*, 3> AltTexts() const { return {QuizAlt1Text, QuizAlt2Text, QuizAlt3Text}; }
    std::vector<std::string>* Lines() const { return QuizLines.get(); }
    // Whether the question on display has all its lines, and so its alternatives.
    bool QuestionShown() const;
    void KeepKeyboardFocus(TControl* control);

    TPageHost& FHost;
};

} // namespace orvalis
