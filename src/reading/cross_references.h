#pragma once

#include "controls/parser_control.h"
#include "controls/text_control.h"
#include "reading/reading_state.h"

#include <string>

namespace orvalis {

class TBkControl;
class TEdit;
class TGauge;
class TLabel;
class TTopicDisplay;

// The link page of the left column: a click on a link of a topic lists every topic of the book and every
// Quorindex entry that mentions the link's target as a whole word, and shows the best-fitting one.
class TCrossReferences {
public:
    // Builds the link page at its design positions.
    TCrossReferences(TReadingState& state, TReadingHost& host, TWinControl* hyperLinkPage);
    TCrossReferences(const TCrossReferences&) = delete;
    TCrossReferences& operator=(const TCrossReferences&) = delete;

    // What the link mode uses of the window: its picture areas, the renderer whose background follows the
    // right column's picture, the search field that carries the target, and the search gauge.
    struct TWindowParts {
        TBkControl* HeaderBk = nullptr;
        TBkControl* MainBk = nullptr;
        TBkControl* BtnPnlBk = nullptr;
        GCustomParserControl* MainText = nullptr;
        TEdit* SearchEdit = nullptr;
        TGauge* SearchGauge = nullptr;
    };
    void Connect(TTopicDisplay* topic, const TWindowParts& parts);

    TBkControl* NavPage3Bk = nullptr;
    TLabel* HyperLinkHeaderBk = nullptr;
    TLabel* HyperLinkHeader = nullptr;
    TLabel* HLQueryResultsLst1Lbl = nullptr;
    GTextControl* HLQueryResultsLst1 = nullptr;
    TLabel* HLQueryResultsLst2Lbl = nullptr;
    GTextControl* HLQueryResultsLst2 = nullptr;

    void MainTextHyperLinkClick(TObject* Sender, std::string& HRef);
    void StartHLQuerySearchBtnClick(TObject* Sender);
    void HLQueryResultsLst1Select(TObject* Sender);
    void HLQueryResultsLst2Select(TObject* Sender);

private:
    // Shows the selected line of `list` and takes the selection from `other`.
    void ShowSelected(GTextControl& list, GTextControl& other);
    void EnterLinkMode();

    TReadingState& FState;
    TReadingHost& FHost;
    TTopicDisplay* FTopic = nullptr;
    TWindowParts FParts;
};

} // namespace orvalis
