#include "reading/keyword_search.h"
#include "content/idb_query.h"
#include "controls/bk_control.h"
#include "controls/design_controls.h"
#include "controls/gauge.h"
#include "controls/gauge_progress.h"
#include "platform/edit.h"
#include "platform/form.h"
#include "platform/panel.h"
#include "reading/search_query.h"
#include "reading/title_lines.h"
#include "reading/title_row_drawing.h"
#include "reading/topic_display.h"

#include <string>
#include <vector>

namespace orvalis {

TKeywordSearch::TKeywordSearch(TReadingState& state, TPageHost& host, TWinControl* searchPage,
                               TWinControl* mainPage)
    : FState(state), FHost(host) {
    NavPage2Bk = MakeBackground(searchPage);
    MakeHeaderPair(searchPage, 198, "Zoeken", SearchHeader, SearchHeaderBk);
    SearchHeader->Font().SetStyle(TFontStyle::fsBold);
    SearchEditLbl = MakeLabel(searchPage, Bounds(15, 28, 198, 14), "Trefwoorden:", {});
    SearchEdit = new TEdit(searchPage);
    SearchEdit->SetBounds(15, 43, 198, 18);
    SearchEdit->SetColor(clWhite);
    SearchEdit->OnKeyDown = [this](TObject* sender, int& key, TShiftState shift) {
        SearchEditKeyDown(sender, key, shift);
    };
    SearchEditExpLbl =
        MakeLabel(searchPage, Bounds(15, 68, 198, 60),
                  "Vul hierboven \xE9\xE9n of meerdere trefwoorden in en druk op Enter om het zoeken "
                  "te starten. Het resultaat wordt in onderstaande lijst geplaatst.",
                  {});
    SearchEditExpLbl->SetWordWrap(true);
    QueryResultsLst = MakeList(searchPage, Bounds(15, 133, 198, 194));
    QueryResultsLst->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                        int y) { QueryResultsLstMouseUp(sender, button, shift, x, y); };
    QueryResultsLst->OnDrawItem = [this](TWinControl* control, int index, TRect rect,
                                         TOwnerDrawState drawState) {
        QueryResultsLstDrawItem(control, index, rect, drawState);
    };
    SetUpTitleRows(*QueryResultsLst);
    QueryResultsLst->OnSelect = [this](TObject* sender) { QueryResultsLstSelect(sender); };
    QueryResultsLstLbl = MakeLabel(searchPage, Bounds(15, 327, 198, 30), "Gevonden onder",
                                   {"Arial", 11, {}, clBlack, TAlignment::taCenter});
    QueryResultsLstLbl->SetWordWrap(true);

    Corrections = std::make_unique<TSearchCorrections>(searchPage);
    Corrections->OnCorrectionClick = [this](const std::string& correction) {
        SearchEdit->SetText(correction);
        StartQuerySearchBtnClick(SearchEdit);
    };

    SearchGauge = new TGauge(mainPage);
    SearchGauge->SetBounds(230, 350, 400, 5);
    SearchGauge->Hide();
}

void TKeywordSearch::CreateRenderer() {
    Corrections->Connect(MakeRenderer(Corrections->CorrectionsCtrl));
}

void TKeywordSearch::AdaptColors() {
    for (TLabel* label : {SearchHeader, SearchHeaderBk})
        AdaptToScreen(*label);
}

std::string TKeywordSearch::SearchText() const {
    return SearchEdit->Text();
}

void TKeywordSearch::SetSearchText(const std::string& text) {
    SearchEdit->SetText(text);
}

void TKeywordSearch::ScanWithGauge(const std::function<void(TProgressGauge&)>& scan) {
    TGaugeProgress progress(*SearchGauge);
    scan(progress);
}

void TKeywordSearch::SearchBtnClick(TObject* Sender) {
    {
        const TActionScope action(FHost);
        FHost.LoadPictures(TPictureRow::Search);
        if (FState.NavFlags == 0)
            FHost.EnterBook(Sender);
        if (FTopic)
            FTopic->HideHistory();
        SearchEdit->SetText("");
        FState.Clear(nfContent | nfHyperLink);
        FState.Set(nfSearch);
        if (FState.RecFile)
            StartQuerySearchBtnClick(SearchEdit);
        FHost.UpdateStatus(nullptr);
    }
    // The reader came to type: the cursor waits in the field, also after a click with the mouse (the text
    // that had the keys before is empty now). The field takes it once the action has shown its page.
    SearchEdit->SetFocus();
}

void TKeywordSearch::SearchEditKeyDown(TObject*, int& Key, TShiftState Shift) {
    if (FState.RecFile && Shift == 0 && Key == vkReturn)
        StartQuerySearchBtnClick(SearchEdit);
}

void TKeywordSearch::StartQuerySearchBtnClick(TObject* Sender) {
    const TActionScope action(FHost);
    {
        const THourGlass hourGlass;
        if (FTopic)
            FTopic->ClearDisplay();
        QueryResultsLstLbl->SetCaption("");
        Corrections->Hide();
        if (QueryResultsLst->Items().Count() > 0) {
            QueryResultsLst->Items().BeginUpdate();
            QueryResultsLst->Clear();
            QueryResultsLst->Items().EndUpdate();
        }
        Application().ProcessMessages();

        if (TiDbRecFile* file = FState.RecFile.get()) {
            const bool typed = Sender == SearchEdit;
            std::string query;
            if (typed) {
                query = TypedSearchQuery(SearchEdit->Text());
            } else {
                SearchEdit->SetText(RerunSearchText(SearchEdit->Text()));
                query = SearchEdit->Text();
            }
            FState.HitQuery = {query, true, SearchEdit->Text()};
            if (!SearchEdit->Text().empty()) {
                // The scan folds the query in place; the buffer is its own.
                std::vector<char> buffer(query.begin(), query.end());
                buffer.push_back('\0');
                TiDbQuery request{buffer.data(), static_cast<int32_t>(query.size())};
                ScanWithGauge([&](TProgressGauge& progress) { file->SelectByQuery(request, &progress); });
            } else {
                file->SelectNone();
            }
            if (file->SelectedCount() < 1) {
                if (FTopic)
                    FTopic->ShowOrdinal(1);
            } else {
                QueryResultsLst->SetItems(SortedTitleLines(*file, TTitleSelector::tsAll));
                if (typed) {
                    const int best = BestTitleLine(QueryResultsLst->Items().Lines(), SearchEdit->Text());
                    QueryResultsLst->SetItemIndex(best);
                    QueryResultsLst->SetTopIndex(best > 0 ? best - 1 : best);
                } else {
                    QueryResultsLst->SetItemIndex(0);
                    QueryResultsLst->SetTopIndex(0);
                }
                QueryResultsLstSelect(Sender);
            }
            QueryResultsLstLbl->SetCaption("Gevonden: " + std::to_string(QueryResultsLst->Items().Count()));
            if (typed && QueryResultsLst->Items().Count() == 0 && !SearchEdit->Text().empty()) {
                // The offer shows the page's picture behind its text.
                if (Corrections->CorrectionsText)
                    Corrections->CorrectionsText->Background().SetImage(NavPage2Bk->Background().Image());
                Corrections->Offer(*file, SearchEdit->Text());
            }
        }
        SearchEdit->SelectAll();
    }
    FHost.UpdateStatus(Sender);
}

void TKeywordSearch::QueryResultsLstSelect(TObject* Sender) {
    if (!FTopic)
        return;
    const TActionScope action(FHost);
    FTopic->HideHistory();
    const int32_t ordinal = FTopic->SelectedOrdinal(*QueryResultsLst);
    if (ordinal == 0)
        return;
    FTopic->ShowOrdinal(ordinal);
    FHost.UpdateStatus(Sender);
}

void TKeywordSearch::QueryResultsLstMouseUp(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (QueryResultsLst->ItemIndex() >= 0)
        QueryResultsLstSelect(Sender);
}

void TKeywordSearch::QueryResultsLstDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    DrawTitleRow(*QueryResultsLst, *NavPage2Bk, Index, Rect, State);
}

} // namespace orvalis
