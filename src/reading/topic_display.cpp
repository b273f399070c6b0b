#include "reading/topic_display.h"
#include "content/ascii_case.h"
#include "content/short_string.h"
#include "controls/bk_control.h"
#include "controls/design_controls.h"
#include "controls/shared_palette.h"
#include "platform/form.h"
#include "platform/panel.h"
#include "platform/scroll_box.h"
#include "reading/contents_pane.h"
#include "reading/title_lines.h"
#include "reading/title_row_drawing.h"

#include <optional>

namespace orvalis {

namespace {
constexpr TColor HistoryColor = TColor::FromRgb(0xF0E2BD);

// The first character in upper case, ASCII letters only.
std::string CapitalizeFirst(std::string text) {
    if (!text.empty())
        text[0] = UpperAscii(text[0]);
    return text;
}
} // namespace

TTopicDisplay::TTopicDisplay(TReadingState& state, TPageHost& host, TWinControl* mainPage,
                             TWinControl* contentPage)
    : FState(state), FHost(host) {
    MainBk = new TBkControl(mainPage);
    MainBk->SetBounds(219, 0, 421, 380);
    MainBk->Background().Brush().SetStyle(TBrushStyle::bsClear);
    MainBk->Background().Pen().SetStyle(TPenStyle::psClear);
    MakeHeaderPair(mainPage, 400, "", MainTextHeaderLbl, MainTextHeaderBkLbl, 230, 0);
    MainTextHeaderLbl->Font().SetSize(10);
    MainTextHeaderLbl->Font().SetStyle(TFontStyle::fsBold);
    MainTextCtrl = new TScrollBox(mainPage);
    MainTextCtrl->SetBounds(230, 28, 400, 310);
    MainTextCtrl->SetVertScrollIncrement(27);
    MainTextCtrl->SetHorzScrollBarVisible(false);

    const auto textButton = [mainPage](int left, const char* caption, const char* hint) {
        return MakeButton(mainPage, Bounds(left, 362, 85, 18), caption, hint, TFace::Drawn);
    };
    MainInfoBtn = textButton(230, "Informatie", "Geeft informatie over het huidige onderdeel");
    ExtraInfoBtn = textButton(315, "Extra informatie", "Geeft extra informatie over het huidige onderdeel");
    RecipeBtn = textButton(400, "Recept", "Geeft een recept weer bij het huidige onderdeel");
    for (TBaseBtn* button : {MainInfoBtn, ExtraInfoBtn, RecipeBtn}) {
        button->Hide();
        button->OnClick = [this](TObject* sender) { ContentSwitchBtnClick(sender); };
    }

    // The history button sits under the letter rows; its panel pops up over the contents list.
    GoToBtn = MakeButton(contentPage, Bounds(128, 355, 85, 18), "Historie",
                         "Geeft eerder gekozen onderwerpen weer", TFace::Drawn);
    GoToBtn->Hide();
    GoToBtn->OnClick = [this](TObject* sender) { GoToBtnClick(sender); };
    GoToPnl = new TPanel(contentPage);
    GoToPnl->SetBounds(15, 28, 198, 256);
    GoToPnl->Hide();
    GoToPnlBk = MakeBackground(GoToPnl);
    GoToPnlBk->Background().Brush().SetStyle(TBrushStyle::bsSolid);
    GoToPnlBk->Background().Pen().SetStyle(TPenStyle::psSolid);
    GoToPnlBk->Background().Brush().SetColor(WindowColor);
    GoToPnlBk->Background().Pen().SetColor(WindowColor);
    GoToLst = MakeList(GoToPnl, Bounds(0, 0, 198, 256));
    GoToLst->SetColor(HistoryColor);
    GoToLst->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        GoToLstMouseUp(sender, button, shift, x, y);
    };
    GoToLst->OnDrawItem = [this](TWinControl* control, int index, TRect rect, TOwnerDrawState drawState) {
        GoToLstDrawItem(control, index, rect, drawState);
    };
    SetUpTitleRows(*GoToLst);
    GoToLst->OnSelect = [this](TObject* sender) { GoToLstSelect(sender); };
}

void TTopicDisplay::CreateTextSizeButtons(TWinControl* mainPage) {
    TextSmallerBtn = MakeButton(mainPage, Bounds(584, 341, 22, 17), "A\x96", "Kleinere tekst", TFace::Drawn);
    TextLargerBtn = MakeButton(mainPage, Bounds(608, 341, 22, 17), "A+", "Grotere tekst", TFace::Drawn);
    TextSmallerBtn->SetEnabled(false);
    // Keyboard readers have the keys; the buttons stay out of the Tab order and never take the focus, so
    // that the focus goes where it always went.
    for (TBaseBtn* button : {TextSmallerBtn, TextLargerBtn})
        button->SetTabStop(false);
}

void TTopicDisplay::CreateRenderer() {
    MainText = MakeRenderer(MainTextCtrl);
}

void TTopicDisplay::AdaptColors(TColor windowColor) {
    for (TLabel* label : {MainTextHeaderLbl, MainTextHeaderBkLbl})
        AdaptToScreen(*label);
    GoToLst->SetColor(NearestScreenColor(GoToLst->Color()));
    GoToPnlBk->Background().Brush().SetColor(windowColor);
    GoToPnlBk->Background().Pen().SetColor(windowColor);
    for (TBaseBtn* button : {GoToBtn, MainInfoBtn, ExtraInfoBtn, RecipeBtn})
        AdaptToScreen(*button);
}

void TTopicDisplay::SetHeader(const std::string& caption) {
    MainTextHeaderLbl->SetCaption(caption);
    MainTextHeaderBkLbl->SetCaption(caption);
}

void TTopicDisplay::ClearDisplay() {
    Trail.Leave(MainTextCtrl->VertScrollPosition());
    FState.TopicId = 0;
    FState.ExtraInfoOrdinal = 0;
    FState.RecipeOrdinal = 0;
    FTopicOrdinal = 0;
    // The way into a section clears the display twice; an empty text is not laid out again.
    const char* text = MainText ? MainText->GetText() : nullptr;
    if (MainTextHeaderLbl->Caption().empty() && !text)
        return;
    SetHeader("");
    if (MainText)
        MainText->SetText(nullptr);
}

void TTopicDisplay::ShowRecord(const TiDbRec& R) {
    const TActionScope action(FHost);
    if (!R.Path) {
        ClearDisplay();
        FHost.UpdateStatus(nullptr);
        return;
    }
    if (static_cast<int32_t>(R.Id) == FState.TopicId)
        return;
    GoToPnl->Hide();
    {
        const THourGlass hourGlass;
        if (!R.Text) {
            ClearDisplay();
        } else {
            Trail.Leave(MainTextCtrl->VertScrollPosition());
            MainText->SetText(R.Text);
            if (!FState.Has(nfExtraInfo | nfRecipe)) {
                FState.TopicId = static_cast<int32_t>(R.Id);
                // The caller fetched the record by its ordinal, which the cursor still names.
                FTopicOrdinal = FState.RecFile ? FState.RecFile->CursorOrdinal() : 0;
                FState.ExtraInfoOrdinal = 0;
                FState.RecipeOrdinal = 0;
            }
            const TPathLevels levels = TiDbRecFile::SplitPath(R.Path);
            if (FState.Has(nfContent | nfSearch | nfHyperLink)) {
                MainText->OnHyperLinkClick = OnMainTextHyperLinkClick;
                MainText->HyperLinkFont().SetStyle(
                    MainText->HyperLinkFont().Style().With(TFontStyle::fsUnderline));
                SetHeader(HeaderCaption(levels));
                if (FState.Has(nfContent) && !FState.Has(nfExtraInfo | nfRecipe)) {
                    RecordHistory(levels);
                    FindExtraTexts();
                }
                MarkHits();
                RecordTrail();
            }
            // A hidden window cannot take the focus; the text shows all the same. A reader moving through a
            // list with the keyboard stays in it (the mouse never gives a list the focus).
            if (!dynamic_cast<GCustomTextControl*>(FocusedControl())) {
                FHost.ApplyStatusSoFar();
                MainTextCtrl->SetFocus();
            }
        }
    }
    FHost.UpdateStatus(nullptr);
    // The first search of a mode shows the text's box only with the status, and a box scrolls only while
    // shown.
    if (MainText->MarkCount() > 0)
        FHost.AfterStatus([this] { MainText->GoToMark(MainText->CurrentMark()); });
}

void TTopicDisplay::MarkHits() {
    // A topic picked from the results of a search shows where the search found it; one reached any other
    // way shows no marks (its new text has none).
    if (FState.Has(nfContent) || !FState.Has(nfSearch | nfHyperLink))
        return;
    MainText->MarkQuery(FState.HitQuery.Text, FState.HitQuery.Strict);
}

int32_t TTopicDisplay::SelectedOrdinal(const GCustomTextControl& list) const {
    const TiDbRecFile* file = FState.RecFile.get();
    if (!file || file->SelectedCount() < 1 || list.Items().Count() == 0 || list.ItemIndex() < 0)
        return 0;
    return OrdinalOfLine(list.Items()[list.ItemIndex()]);
}

void TTopicDisplay::ShowOrdinal(int32_t ordinal) {
    TiDbRec record;
    if (FState.RecFile)
        FState.RecFile->GetSelected(ordinal, record);
    ShowRecord(record);
}

std::string TTopicDisplay::HeaderCaption(const TPathLevels& levels) const {
    if (FState.Has(nfContent)) {
        if (FState.Has(nfExtraInfo))
            return "Extra informatie bij -> " + levels.L2;
        if (FState.Has(nfRecipe))
            return "Recept bij -> " + levels.L2;
        return levels.L2;
    }
    if (FState.Has(nfSearch)) {
        if (levels.L1 == "1")
            return "Klachten -> " + levels.L2;
        if (levels.L1 == "2")
            return "Voedingsstoffen Algemeen -> " + levels.L2;
        if (levels.L1 == "3")
            return "Voedingsstoffen Specifiek -> " + levels.L2;
        return MainTextHeaderLbl->Caption();
    }
    return CapitalizeFirst(FState.HitQuery.Typed) + " -> " + levels.L2;
}

void TTopicDisplay::RecordHistory(const TPathLevels& levels) {
    if (!GoToLst->Enabled())
        return;
    const std::string line = levels.L1 + "|" + levels.L2;
    TStringList& items = GoToLst->Items();
    if (!items.Empty() && items[items.Count() - 1] == line)
        return;
    items.BeginUpdate();
    items.Add(line);
    while (items.Count() > MaxHistoryLines)
        items.Delete(0);
    items.EndUpdate();
    GoToLst->SetItemIndex(items.Count() - 1);
}

void TTopicDisplay::RecordTrail() {
    if (!GoToLst->Enabled())
        return;
    TTrailStop stop;
    stop.NavFlags = FState.NavFlags;
    if (FState.Has(nfSearch | nfHyperLink))
        stop.Query = FState.HitQuery.Typed;
    stop.TopicId = FState.TopicId;
    stop.TopicOrdinal = FTopicOrdinal;
    Trail.Add(stop);
}

// A topic's records follow one another in the file: the topic, then perhaps its extra information (L3 =
// L2), then perhaps its recipe (L4 = L2); only the first section has them. The database's cursor stands
// on the topic just fetched.
void TTopicDisplay::FindExtraTexts() {
    TiDbRecFile* file = FState.RecFile.get();
    if (!file || file->CursorOrdinal() >= file->SelectedCount())
        return;
    TiDbRec next;
    file->GetSelected(file->CursorOrdinal() + 1, next);
    const TPathLevels n = TiDbRecFile::SplitPath(next.Path);
    if (!n.L4.empty() && n.L4 == n.L2 && n.L1 == "1") {
        FState.ExtraInfoOrdinal = 0;
        FState.RecipeOrdinal = file->CursorOrdinal();
        return;
    }
    if (!(n.L4.empty() && !n.L3.empty() && n.L3 == n.L2 && n.L1 == "1"))
        return;
    FState.ExtraInfoOrdinal = file->CursorOrdinal();
    FState.RecipeOrdinal = 0;
    if (file->CursorOrdinal() >= file->SelectedCount())
        return;
    TiDbRec after;
    file->GetSelected(file->CursorOrdinal() + 1, after);
    const TPathLevels a = TiDbRecFile::SplitPath(after.Path);
    if (!a.L4.empty() && a.L4 == a.L3 && a.L4 == a.L2 && a.L1 == "1")
        FState.RecipeOrdinal = file->CursorOrdinal();
}

void TTopicDisplay::ContentSwitchBtnClick(TObject* Sender) {
    const TActionScope action(FHost);
    if (Sender == MainInfoBtn) {
        FState.Clear(nfExtraInfo | nfRecipe);
        ClearDisplay();
        if (FContents)
            FContents->ContentLstSelect(Sender);
    } else if (Sender == ExtraInfoBtn) {
        FState.Clear(nfRecipe);
        FState.Set(nfExtraInfo);
        ShowOrdinal(FState.ExtraInfoOrdinal);
    } else if (Sender == RecipeBtn) {
        FState.Clear(nfExtraInfo);
        FState.Set(nfRecipe);
        ShowOrdinal(FState.RecipeOrdinal);
    }
    FHost.UpdateStatus(Sender);
}

void TTopicDisplay::GoToBtnClick(TObject*) {
    if (GoToLst->Items().Count() > 0 && !GoToPnl->Visible()) {
        const int index = GoToLst->ItemIndex();
        GoToLst->SetTopIndex(index <= 0 ? index : index - 1);
        GoToPnl->Show();
        return;
    }
    GoToPnl->Hide();
}

void TTopicDisplay::HideHistory() {
    GoToPnl->Hide();
}

void TTopicDisplay::GoToLstMouseUp(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (GoToLst->ItemIndex() >= 0)
        GoToLstSelect(Sender);
}

void TTopicDisplay::GoToLstSelect(TObject* Sender) {
    const TActionScope action(FHost);
    if (!FState.RecFile) {
        ClearDisplay();
        FHost.UpdateStatus(Sender);
        return;
    }
    GoToPnl->Hide();
    FState.Set(nfContent);
    FState.Clear(nfExtraInfo | nfRecipe | nfSearch | nfHyperLink);
    if (GoToLst->ItemIndex() < 0)
        return;
    GoToLst->SetEnabled(false);
    const std::string line(ShortString(GoToLst->Items()[GoToLst->ItemIndex()]));
    const char section = line.empty() ? 0 : line[0];
    if (section >= '1' && section <= '3' && section != FState.SectionCode()) {
        FState.SetSection(section);
        FHost.ResetBtnClick(Sender);
    }
    if (FContents && FContents->SelectTitle(TitleOfLine(line))) {
        GoToLst->SetEnabled(true);
        FContents->ContentLstSelect(Sender);
    }
    GoToLst->SetEnabled(true);
}

void TTopicDisplay::GoToLstDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    DrawTitleRow(*GoToLst, *GoToPnlBk, Index, Rect, State);
}

} // namespace orvalis
