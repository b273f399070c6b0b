#pragma once

namespace orvalis {

class GParserControl;
class TBaseBtn;
class TBkControl;
class TObject;
class TScrollBox;
class TWinControl;

// The intro page: its picture, the four entries down the left ("Orvalis", the quiz, the BMI test, the
// disclaimer) and the hint text beside them, which shows the hint of the entry under the pointer.
class TIntroPage {
public:
    // Builds the page's controls at their design positions.
    explicit TIntroPage(TWinControl* page);
    TIntroPage(const TIntroPage&) = delete;
    TIntroPage& operator=(const TIntroPage&) = delete;

    // The renderer inside HintTextCtrl. The window creates it after it gave its other controls their
    // cursors.
    void CreateRenderer();
    // Shows the hint of the entry button; any other sender leaves the hint as it is.
    void ShowHint(const TObject* Sender);

    TBkControl* IntroBk = nullptr;
    TBaseBtn* EntryIntroBtn = nullptr;
    TBaseBtn* QuizIntroBtn = nullptr;
    TBaseBtn* BMITestIntroBtn = nullptr;
    TBaseBtn* DisclaimerIntroBtn = nullptr;
    TScrollBox* HintTextCtrl = nullptr;
    GParserControl* HintText = nullptr;
};

} // namespace orvalis
