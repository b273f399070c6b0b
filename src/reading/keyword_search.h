#pragma once

#include "controls/text_control.h"
#include "reading/reading_state.h"
#include "reading/search_corrections.h"

#include <memory>

namespace orvalis {

class TBaseBtn;
class TBkControl;
class TEdit;
class TGauge;
class TLabel;
class TTopicDisplay;

// The search page of the left column: keywords typed into SearchEdit, every topic whose text satisfies
// them listed by title, the hit count under the list, and the best-fitting title shown at once.
class TKeywordSearch {
public:
    // Builds the search page and the search gauge of the main page at their design positions.
    TKeywordSearch(TReadingState& state, TReadingHost& host, TWinControl* searchPage, TWinControl* mainPage);
    TKeywordSearch(const TKeywordSearch&) = delete;
    TKeywordSearch& operator=(const TKeywordSearch&) = delete;

    // The window's picture areas that entering search mode loads, and the button that enters the book.
    struct TWindowParts {
        TBkControl* HeaderBk = nullptr;
        TBkControl* MainBk = nullptr;
        TBkControl* BtnPnlBk = nullptr;
        TBaseBtn* EntryIntroBtn = nullptr;
    };
    void Connect(TTopicDisplay* topic, const TWindowParts& parts);

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
    // The pictures of search mode: header, right column and button strip, and the page's own on the first
    // visit.
    void LoadSearchPictures();
    void SearchEditKeyDown(TObject* Sender, int& Key, TShiftState Shift);
    // A typed search when Sender is SearchEdit, otherwise a re-run of the field's text.
    void StartQuerySearchBtnClick(TObject* Sender);
    void QueryResultsLstSelect(TObject* Sender);
    void QueryResultsLstMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void QueryResultsLstDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);

private:
    TReadingState& FState;
    TReadingHost& FHost;
    TTopicDisplay* FTopic = nullptr;
    TWindowParts FParts;
};

} // namespace orvalis
