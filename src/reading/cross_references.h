#pragma once

#include "controls/parser_control.h"
#include "controls/text_control.h"
#include "host/page_host.h"
#include "reading/reading_state.h"

#include <string>

namespace orvalis {

class TBkControl;
class TKeywordSearch;
class TLabel;
class TTopicDisplay;

// The link page of the left column: a click on a link of a topic lists every topic of the book and every
// Quorindex entry that mentions the link's target as a whole word, and shows the best-fitting one.
class TCrossReferences {
public:
    // Builds the link page at its design positions.
    TCrossReferences(TReadingState& state, TPageHost& host, TWinControl* hyperLinkPage);
    TCrossReferences(const TCrossReferences&) = delete;
    TCrossReferences& operator=(const TCrossReferences&) = delete;

    // The topic display that shows the finds, and the search whose field carries a link's target and whose
    // gauge shows the scan.
    void Connect(TTopicDisplay* topic, TKeywordSearch* search) {
        FTopic = topic;
        FSearch = search;
    }
    // The header's colours as the screen can show them.
    void AdaptColors();

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
    TPageHost& FHost;
    TTopicDisplay* FTopic = nullptr;
    TKeywordSearch* FSearch = nullptr;
};

} // namespace orvalis
