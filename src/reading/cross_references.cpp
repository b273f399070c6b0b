#include "reading/cross_references.h"
#include "content/idb_query.h"
#include "content/short_string.h"
#include "controls/bk_control.h"
#include "controls/design_controls.h"
#include "platform/form.h"
#include "platform/panel.h"
#include "reading/keyword_search.h"
#include "reading/search_query.h"
#include "reading/title_lines.h"
#include "reading/title_row_drawing.h"
#include "reading/topic_display.h"

#include <vector>

namespace orvalis {

namespace {
void ClearList(GTextControl& list) {
    list.Items().BeginUpdate();
    list.Clear();
    list.Items().EndUpdate();
    list.Repaint();
}
} // namespace

TCrossReferences::TCrossReferences(TReadingState& state, TPageHost& host, TWinControl* hyperLinkPage)
    : FState(state), FHost(host) {
    NavPage3Bk = MakeBackground(hyperLinkPage);
    MakeHeaderPair(hyperLinkPage, 198, "Verwijzingen", HyperLinkHeader, HyperLinkHeaderBk);
    HyperLinkHeader->Font().SetStyle(TFontStyle::fsBold);
    const TTextLook bold{"Arial", 11, TFontStyle::fsBold};
    HLQueryResultsLst1Lbl =
        MakeLabel(hyperLinkPage, Bounds(15, 28, 198, 25), "Verwijzingen binnen Orvalis", bold);
    HLQueryResultsLst1Lbl->SetWordWrap(true);
    HLQueryResultsLst1 = MakeList(hyperLinkPage, Bounds(15, 58, 198, 130));
    HLQueryResultsLst2Lbl =
        MakeLabel(hyperLinkPage, Bounds(15, 193, 198, 25), "Verwijzingen in het Quorindex", bold);
    HLQueryResultsLst2Lbl->SetWordWrap(true);
    HLQueryResultsLst2 = MakeList(hyperLinkPage, Bounds(15, 223, 198, 130));

    HLQueryResultsLst1->OnMouseUp = [this](TObject* sender, TMouseButton, TShiftState, int, int) {
        if (HLQueryResultsLst1->ItemIndex() >= 0)
            HLQueryResultsLst1Select(sender);
    };
    HLQueryResultsLst2->OnMouseUp = [this](TObject* sender, TMouseButton, TShiftState, int, int) {
        if (HLQueryResultsLst2->ItemIndex() >= 0)
            HLQueryResultsLst2Select(sender);
    };
    HLQueryResultsLst1->OnSelect = [this](TObject* sender) { HLQueryResultsLst1Select(sender); };
    HLQueryResultsLst2->OnSelect = [this](TObject* sender) { HLQueryResultsLst2Select(sender); };
    for (GTextControl* list : {HLQueryResultsLst1, HLQueryResultsLst2}) {
        list->OnDrawItem = [this, list](TWinControl*, int index, TRect rect, TOwnerDrawState drawState) {
            DrawTitleRow(*list, *NavPage3Bk, index, rect, drawState);
        };
        SetUpTitleRows(*list);
    }
}

void TCrossReferences::AdaptColors() {
    for (TLabel* label : {HyperLinkHeader, HyperLinkHeaderBk})
        AdaptToScreen(*label);
}

void TCrossReferences::EnterLinkMode() {
    FState.Clear(nfContent | nfSearch);
    FState.Set(nfHyperLink);
}

void TCrossReferences::MainTextHyperLinkClick(TObject* Sender, std::string& HRef) {
    const TActionScope action(FHost);
    if (FTopic)
        FTopic->HideHistory();
    if (!FState.RecFile || !FSearch)
        return;
    if (!FState.Has(nfHyperLink)) {
        EnterLinkMode();
        FHost.UpdateStatus(nullptr);
        FHost.LoadPictures(TPictureRow::HyperLink);
    }
    EnterLinkMode();
    FSearch->SetSearchText(std::string(ShortString(HRef)));
    FState.TopicId = 0;
    StartHLQuerySearchBtnClick(Sender);
}

void TCrossReferences::StartHLQuerySearchBtnClick(TObject* Sender) {
    const TActionScope action(FHost);
    {
        const THourGlass hourGlass;
        if (FTopic)
            FTopic->ClearDisplay();
        ClearList(*HLQueryResultsLst1);
        ClearList(*HLQueryResultsLst2);
        Application().ProcessMessages();

        TiDbRecFile* file = FState.RecFile.get();
        if (file && FSearch) {
            const std::string target(ShortString(FSearch->SearchText()));
            std::string query = "+\"" + target + "\"";
            FState.HitQuery = {query, false, target};
            std::vector<char> buffer(query.begin(), query.end());
            buffer.push_back('\0');
            TiDbQuery request{buffer.data(), static_cast<int32_t>(query.size())};
            FSearch->ScanWithGauge(
                [&](TProgressGauge& progress) { file->SelectByLinkQuery(request, &progress); });
            if (file->SelectedCount() < 1) {
                if (FTopic)
                    FTopic->ShowOrdinal(1);
            } else {
                std::vector<std::string> book, quorindex;
                SortedBookAndQuorindexLines(*file, book, quorindex);
                HLQueryResultsLst1->SetItems(std::move(book));
                HLQueryResultsLst2->SetItems(std::move(quorindex));
                GTextControl* active = HLQueryResultsLst1->Items().Count() > 0   ? HLQueryResultsLst1
                                       : HLQueryResultsLst2->Items().Count() > 0 ? HLQueryResultsLst2
                                                                                 : nullptr;
                if (active) {
                    const int best = BestTitleLine(active->Items().Lines(), target);
                    active->SetItemIndex(best);
                    active->SetTopIndex(best > 0 ? best - 1 : best);
                    // The other list keeps its lines but shows no selection until it is clicked.
                    GTextControl* other =
                        active == HLQueryResultsLst1 ? HLQueryResultsLst2 : HLQueryResultsLst1;
                    other->SetItemIndex(-1);
                    if (active == HLQueryResultsLst1)
                        HLQueryResultsLst1Select(Sender);
                    else
                        HLQueryResultsLst2Select(Sender);
                }
            }
        }
    }
    FHost.UpdateStatus(Sender);
}

void TCrossReferences::ShowSelected(GTextControl& list, GTextControl& other) {
    if (!FTopic)
        return;
    const TActionScope action(FHost);
    const int32_t ordinal = FTopic->SelectedOrdinal(list);
    if (ordinal == 0)
        return;
    FTopic->ShowOrdinal(ordinal);
    other.SetItemIndex(-1);
    FHost.UpdateStatus(nullptr);
}

void TCrossReferences::HLQueryResultsLst1Select(TObject*) {
    ShowSelected(*HLQueryResultsLst1, *HLQueryResultsLst2);
}

void TCrossReferences::HLQueryResultsLst2Select(TObject*) {
    ShowSelected(*HLQueryResultsLst2, *HLQueryResultsLst1);
}

} // namespace orvalis
