// Back and forward through the topics of this session: each step shows a stop of the topic display's
// trail again the way the reader first saw it, through the same handlers that showed it then.
#include "app/main_form.h"
#include "controls/bk_control.h"
#include "platform/edit.h"
#include "platform/page_stack.h"
#include "platform/panel.h"
#include "platform/scroll_box.h"
#include "reading/title_lines.h"

namespace orvalis {

namespace {
char SectionOfFlags(uint8_t flags) {
    return (flags & nfSection1) ? '1' : (flags & nfSection2) ? '2' : (flags & nfSection3) ? '3' : 0;
}
} // namespace

void TMainForm::TrailBack(TObject* Sender) {
    if (const TTrailStop* stop = Topic->Trail.Back(MainTextCtrl->VertScrollPosition()))
        ShowTrailStop(Sender, TTrailStop(*stop));
}

void TMainForm::TrailForward(TObject* Sender) {
    if (const TTrailStop* stop = Topic->Trail.Forward(MainTextCtrl->VertScrollPosition()))
        ShowTrailStop(Sender, TTrailStop(*stop));
}

void TMainForm::FormXButtonDown(TObject* Sender, TMouseButton Button) {
    if (MainPages->ActivePage() != MainPage)
        return;
    if (Button == TMouseButton::mbBack)
        TrailBack(Sender);
    else if (Button == TMouseButton::mbForward)
        TrailForward(Sender);
}

bool TMainForm::SelectTrailLine(GTextControl& list, const TTrailStop& stop) {
    const std::vector<std::string>& lines = list.Items().Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (OrdinalOfLine(lines[i]) != stop.TopicOrdinal)
            continue;
        TiDbRec record;
        RecFile->GetSelected(stop.TopicOrdinal, record);
        if (static_cast<int32_t>(record.Id) != stop.TopicId)
            return false;
        const int index = static_cast<int>(i);
        list.SetItemIndex(index);
        list.SetTopIndex(index > 0 ? index - 1 : index);
        return true;
    }
    return false;
}

void TMainForm::ShowTrailStop(TObject* Sender, const TTrailStop& stop) {
    if (!RecFile)
        return;
    const char section = SectionOfFlags(stop.NavFlags);
    GoToPnl->Hide();
    MainPages->SetActivePage("MainPage");
    // The topics shown on the way (the first of a rebuilt section, the best line of a search) join neither
    // the history nor the trail, and neither does the stop itself: it is in the trail already.
    GoToLst->SetEnabled(false);
    if (stop.NavFlags & nfContent) {
        const bool rebuild = !Has(nfContent) || SectionCode() != section || ContentLst->Items().Count() == 0;
        if (!Has(nfContent))
            LoadReadingPictures();
        Topic->ClearDisplay();
        NavPages->SetActivePage("Content");
        NavFlags = nfContent;
        SetSection(section);
        if (rebuild)
            ResetBtnClick(Sender);
        if (SelectTrailLine(*ContentLst, stop)) {
            Contents->ContentLstSelect(Sender);
            if ((stop.NavFlags & nfExtraInfo) && ExtraInfoOrdinal != 0)
                Topic->ContentSwitchBtnClick(ExtraInfoBtn);
            else if ((stop.NavFlags & nfRecipe) && RecipeOrdinal != 0)
                Topic->ContentSwitchBtnClick(RecipeBtn);
        }
    } else if (stop.NavFlags & nfSearch) {
        if (!Has(nfSearch)) {
            Search->LoadSearchPictures();
            MainText->Background().SetImage(MainBk->Background().Image());
        }
        NavFlags = nfSearch;
        SetSection(section);
        SearchEdit->SetText(stop.Query);
        Search->StartQuerySearchBtnClick(SearchEdit);
        if (SelectTrailLine(*QueryResultsLst, stop))
            Search->QueryResultsLstSelect(Sender);
    } else if (stop.NavFlags & nfHyperLink) {
        Clear(nfExtraInfo | nfRecipe);
        SetSection(section);
        std::string target = stop.Query;
        CrossReferences->MainTextHyperLinkClick(MainText, target);
        if (SelectTrailLine(*HLQueryResultsLst1, stop))
            CrossReferences->HLQueryResultsLst1Select(Sender);
        else if (SelectTrailLine(*HLQueryResultsLst2, stop))
            CrossReferences->HLQueryResultsLst2Select(Sender);
    }
    GoToLst->SetEnabled(true);
    if (NavFlags == stop.NavFlags && TopicId == stop.TopicId) {
        Topic->Trail.Arrived();
        MainTextCtrl->SetVertScrollPosition(stop.ScrollTop);
    }
    UpdateStatus(Sender);
}

} // namespace orvalis
