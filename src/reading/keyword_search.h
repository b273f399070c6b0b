#pragma once

#include "controls/text_control.h"
#include "host/page_host.h"
#include "reading/reading_state.h"
#include "reading/search_corrections.h"

#include <functional>
#include <memory>
#include <string>

namespace orvalis {

class TBkControl;
class TEdit;
class TGauge;
class TLabel;
class TProgressGauge;
class TTopicDisplay;

// The search page of the left column: keywords typed into SearchEdit, every topic whose text satisfies
// them listed by title, the hit count under the list, and the best-fitting title shown at once.
class TKeywordSearch {
public:
    // Builds the search page and the search gauge of the main page at their design positions.
    TKeywordSearch(TReadingState& state, TPageHost& host, TWinControl* searchPage, TWinControl* mainPage);
    TKeywordSearch(const TKeywordSearch&) = delete;
    TKeywordSearch& operator=(const TKeywordSearch&) = delete;

    void Connect(TTopicDisplay* topic) { FTopic = topic; }
    // The renderer of the offered corrections. The window creates it after it gave its other controls
    // their cursors.
    void CreateRenderer();
    // The header's colours as the screen can show them.
    void AdaptColors();

    // The text of the search field, which a link's target takes as well.
    std::string SearchText() const;
    void SetSearchText(const std::string& text);
    // Runs a scan of the database with the search gauge over the text showing its progress.
    void ScanWithGauge(const std::function<void(TProgressGauge&)>& scan);

    TBkControl* NavPage2Bk = nullptr;
    TLabel* SearchHeaderBk = nullptr;
    TLabel* SearchHeader = nullptr;
    TLabel* SearchEditLbl = nullptr;
    TEdit* SearchEdit = nullptr;
    TLabel* SearchEditExpLbl = nullptr;
    GTextControl* QueryResultsLst = nullptr;
    TLabel* QueryResultsLstLbl = nullptr;
    TGauge* SearchGauge = nullptr;
    // "Bedoelde u …?" under the hit count; a click on a correction searches for it as if typed.
    std::unique_ptr<TSearchCorrections> Corrections;

    void SearchBtnClick(TObject* Sender);
    void SearchEditKeyDown(TObject* Sender, int& Key, TShiftState Shift);
    // A typed search when Sender is SearchEdit, otherwise a re-run of the field's text.
    void StartQuerySearchBtnClick(TObject* Sender);
    void QueryResultsLstSelect(TObject* Sender);
    void QueryResultsLstMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void QueryResultsLstDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);

private:
    TReadingState& FState;
    TPageHost& FHost;
    TTopicDisplay* FTopic = nullptr;
};

} // namespace orvalis
