#pragma once

#include "host/page_host.h"

#include <string>

namespace orvalis {

class TBaseBtn;
class TObject;
class TBkControl;
class TEdit;
class TLabel;
class TShape;
class TWinControl;

// The BMI test page: a height and a weight typed in, the index with the advice for its weight class, and a
// bar in the class's colour that keeps it until the next computation.
class TBmiPage {
public:
    // Builds the page's controls at their design positions.
    TBmiPage(TPageHost& host, TWinControl* page);
    TBmiPage(const TBmiPage&) = delete;
    TBmiPage& operator=(const TBmiPage&) = delete;

    // The header's colours as the screen can show them.
    void AdaptColors();

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
    TPageHost& FHost;
};

} // namespace orvalis
