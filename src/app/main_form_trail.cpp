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
    if (const TTrailStop* stop = Topic->Trail.Back(Topic->MainTextCtrl->VertScrollPosition()))
        ShowTrailStop(Sender, TTrailStop(*stop));
}

void TMainForm::TrailForward(TObject* Sender) {
    if (const TTrailStop* stop = Topic->Trail.Forward(Topic->MainTextCtrl->VertScrollPosition()))
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
        State.RecFile->GetSelected(stop.TopicOrdinal, record);
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
    if (!State.RecFile)
        return;
    const TActionScope action(*this);
    const char section = SectionOfFlags(stop.NavFlags);
    Topic->HideHistory();
    MainPages->SetActivePage("MainPage");
    // The topics shown on the way (the first of a rebuilt section, the best line of a search) join neither
    // the history nor the trail, and neither does the stop itself: it is in the trail already.
    Topic->GoToLst->SetEnabled(false);
    if (stop.NavFlags & nfContent) {
        const bool rebuild = !State.Has(nfContent) || State.SectionCode() != section ||
                             Contents->ContentLst->Items().Count() == 0;
        if (!State.Has(nfContent))
            LoadPictures(TPictureRow::Reading);
        Topic->ClearDisplay();
        NavPages->SetActivePage("Content");
        State.NavFlags = nfContent;
        State.SetSection(section);
        if (rebuild)
            ResetBtnClick(Sender);
        if (SelectTrailLine(*Contents->ContentLst, stop)) {
            Contents->ContentLstSelect(Sender);
            if ((stop.NavFlags & nfExtraInfo) && State.ExtraInfoOrdinal != 0)
                Topic->ContentSwitchBtnClick(Topic->ExtraInfoBtn);
            else if ((stop.NavFlags & nfRecipe) && State.RecipeOrdinal != 0)
                Topic->ContentSwitchBtnClick(Topic->RecipeBtn);
        }
    } else if (stop.NavFlags & nfSearch) {
        if (!State.Has(nfSearch)) {
            // The search's pictures, the right column's under the text as well.
            LoadPictures(TPictureRow::Search);
            ShowUnderText(*Topic->MainText, Topic->MainBk->Background());
        }
        State.NavFlags = nfSearch;
        State.SetSection(section);
        Search->SetSearchText(stop.Query);
        Search->StartQuerySearchBtnClick(Search->SearchEdit);
        if (SelectTrailLine(*Search->QueryResultsLst, stop))
            Search->QueryResultsLstSelect(Sender);
    } else if (stop.NavFlags & nfHyperLink) {
        State.Clear(nfExtraInfo | nfRecipe);
        State.SetSection(section);
        std::string target = stop.Query;
        CrossReferences->MainTextHyperLinkClick(Topic->MainText, target);
        if (SelectTrailLine(*CrossReferences->HLQueryResultsLst1, stop))
            CrossReferences->HLQueryResultsLst1Select(Sender);
        else if (SelectTrailLine(*CrossReferences->HLQueryResultsLst2, stop))
            CrossReferences->HLQueryResultsLst2Select(Sender);
    }
    Topic->GoToLst->SetEnabled(true);
    if (State.NavFlags == stop.NavFlags && State.TopicId == stop.TopicId) {
        Topic->Trail.Arrived();
        AfterStatus([this, top = stop.ScrollTop] { Topic->MainTextCtrl->SetVertScrollPosition(top); });
    }
    UpdateStatus(Sender);
}

} // namespace orvalis
