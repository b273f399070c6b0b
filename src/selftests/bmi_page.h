#pragma once

#include "reading/reading_state.h"

#include <string>

namespace orvalis {

class TBaseBtn;
class TBkControl;
class TEdit;
class TLabel;
class TPageStack;
class TShape;
class TWinControl;

// The BMI test page: a height and a weight typed in, the index with the advice for its weight class, and a
// bar in the class's colour that keeps it until the next computation.
class TBmiPage {
public:
    // Builds the page's controls at their design positions.
    TBmiPage(TReadingState& state, TReadingHost& host, TWinControl* page);
    TBmiPage(const TBmiPage&) = delete;
    TBmiPage& operator=(const TBmiPage&) = delete;

    // The window's parts that opening the page uses.
    struct TWindowParts {
        TPageStack* MainPages = nullptr;
        TBkControl* HeaderBk = nullptr;
        TBkControl* BtnPnlBk = nullptr;
    };
    void Connect(const TWindowParts& parts) { FParts = parts; }

    TBkControl* BMITestBk = nullptr;
    TLabel* BMITestHeaderBk = nullptr;
    TLabel* BMITestHeader = nullptr;
    TLabel* BMITestExpLbl = nullptr;
    TLabel* BMITestLengthHeaderLbl = nullptr;
    TEdit* BMITestLengthEdit = nullptr;
    TLabel* BMITestWeightHeaderLbl = nullptr;
    TEdit* BMITestWeightEdit = nullptr;
    TBaseBtn* BMITestCalculateBtn = nullptr;
    TLabel* BMITestResultText = nullptr;
    TShape* BMIGauge = nullptr;

    void BMITestBtnClick(TObject* Sender);
    void BMITestCalculateBtnClick(TObject* Sender);
    // Appends the body of one section of the advice file to the result, each line ending in CR LF.
    void AppendBmiSection(const std::string& name);

private:
    TReadingState& FState;
    TReadingHost& FHost;
    TWindowParts FParts;
};

} // namespace orvalis
