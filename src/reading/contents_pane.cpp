#include "reading/contents_pane.h"
#include "controls/base_btn.h"
#include "controls/bk_control.h"
#include "controls/design_controls.h"
#include "platform/form.h"
#include "platform/panel.h"
#include "reading/title_lines.h"
#include "reading/title_row_drawing.h"
#include "reading/topic_display.h"

#include <string>
#include <vector>

namespace orvalis {

namespace {
// The list fills the card of the page picture; the letter rows under the card: "A"-"I", "J"-"Q", "R"-"Z",
// each centred under the list with buttons of 20x18 one column of 22 apart. The history button goes
// below them.
constexpr int ListLeft = 15, ListTop = 28, ListWidth = 198, ListHeight = 256, LetterTop = 294,
              LetterStep = 22, LetterWidth = 20, LetterHeight = 18, RowStep = 19;
constexpr std::array<int, 3> RowStarts{0, 9, 17};

TRect LetterBounds(int letter) {
    int row = 2;
    while (row > 0 && letter < RowStarts[row])
        --row;
    const int rowEnd = row + 1 < 3 ? RowStarts[row + 1] : TContentsPane::LetterCount;
    const int inRow = rowEnd - RowStarts[row];
    const int rowLeft = ListLeft + (ListWidth - (inRow * LetterStep - (LetterStep - LetterWidth))) / 2;
    return Bounds(rowLeft + (letter - RowStarts[row]) * LetterStep, LetterTop + row * RowStep, LetterWidth,
                  LetterHeight);
}
} // namespace

TContentsPane::TContentsPane(TReadingState& state, TPageHost& host, TWinControl* contentPage)
    : FState(state), FHost(host) {
    NavPage1Bk = MakeBackground(contentPage);
    MakeHeaderPair(contentPage, 198, "Inhoud", ContentHeader, ContentHeaderBk);
    ContentHeader->Font().SetStyle(TFontStyle::fsBold);
    ContentLst = MakeList(contentPage, Bounds(ListLeft, ListTop, ListWidth, ListHeight));
    ContentLst->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        ContentLstMouseUp(sender, button, shift, x, y);
    };
    ContentLst->OnDrawItem = [this](TWinControl* control, int index, TRect rect, TOwnerDrawState drawState) {
        ContentLstDrawItem(control, index, rect, drawState);
    };
    SetUpTitleRows(*ContentLst);
    ContentLst->OnSelect = [this](TObject* sender) { ContentLstSelect(sender); };
    ContentLst->OnKeyDown = [this](TObject* sender, int& key, TShiftState shift) {
        ContentLstKeyDown(sender, key, shift);
    };
    for (int i = 0; i < LetterCount; ++i) {
        TBaseBtn* button = MakeButton(contentPage, LetterBounds(i), std::string(1, char('A' + i)),
                                      "Ga in de inhoudsopgave naar deze letter", TFace::None);
        button->SetEnabled(false);
        button->OnClick = [this](TObject* sender) { BaseBtnNClick(sender); };
        BaseBtns[static_cast<size_t>(i)] = button;
    }
}

void TContentsPane::AdaptColors() {
    for (TLabel* label : {ContentHeader, ContentHeaderBk})
        AdaptToScreen(*label);
}

void TContentsPane::ContentLstKeyDown(TObject*, int& Key, TShiftState Shift) {
    if (Shift != 0 && Shift != uint8_t(TShiftFlag::ssShift))
        return;
    TBaseBtn* button = Key > 0 && Key < 0x80 ? LetterButton(char(Key)) : nullptr;
    if (!button)
        return;
    Key = 0;
    if (button->Enabled())
        BaseBtnNClick(button);
}

TBaseBtn* TContentsPane::LetterButton(char letter) const {
    if (letter < 'A' || letter > 'Z')
        return nullptr;
    return BaseBtns[static_cast<size_t>(letter - 'A')];
}

void TContentsPane::ShowContentBtnClick(TObject* Sender) {
    const TActionScope action(FHost);
    {
        const THourGlass hourGlass;
        if (FTopic)
            FTopic->ClearDisplay();
        if (ContentLst->Items().Count() > 0) {
            ContentLst->Items().BeginUpdate();
            ContentLst->Clear();
            ContentLst->Items().EndUpdate();
        }
        Application().ProcessMessages();
        for (TBaseBtn* button : BaseBtns)
            button->SetEnabled(false);

        TiDbRecFile* file = FState.RecFile.get();
        if (file) {
            file->SelectAll();
            if (const char code = FState.SectionCode())
                file->SelectSection(code);
            if (file->SelectedCount() < 1) {
                if (FTopic)
                    FTopic->ShowOrdinal(1);
            } else {
                // Every letter's HasInitial at once, from the pass that lists the titles.
                uint32_t initials = 0;
                std::vector<std::string> lines = SortedTitleLines(*file, TTitleSelector::tsAll, &initials);
                TBaseBtn* first = nullptr;
                for (int i = 0; i < LetterCount; ++i) {
                    TBaseBtn* button = BaseBtns[static_cast<size_t>(i)];
                    button->SetEnabled((initials >> i) & 1u);
                    if (!first && button->Enabled())
                        first = button;
                }
                ContentLst->Items().BeginUpdate();
                ContentLst->Clear();
                ContentLst->SetItems(std::move(lines));
                ContentLst->Items().EndUpdate();
                ContentLst->SetItemIndex(-1);
                if (first)
                    BaseBtnNClick(first);
            }
        }
    }
    FHost.UpdateStatus(Sender);
}

int TContentsPane::FindLetter(char letter, int from, int to) const {
    for (int i = from; i < to; ++i) {
        const std::string_view title = TitleOfLine(ContentLst->Items()[i]);
        if (!title.empty() && title[0] == letter)
            return i;
    }
    return -1;
}

void TContentsPane::SelectLine(int index, TObject* Sender) {
    ContentLst->SetItemIndex(index);
    ContentLstSelect(Sender);
}

bool TContentsPane::SelectTitle(std::string_view title) {
    const TStringList& items = ContentLst->Items();
    if (items.Count() == 0)
        return false;
    for (int i = 0; i < items.Count(); ++i) {
        if (TitleOfLine(items[i]) == title) {
            ContentLst->SetItemIndex(i);
            break;
        }
    }
    return true;
}

void TContentsPane::BaseBtnNClick(TObject* Sender) {
    const TActionScope action(FHost);
    auto* button = dynamic_cast<TBaseBtn*>(Sender);
    if (!button || button->Caption().empty() || ContentLst->Items().Count() == 0)
        return;
    const char letter = button->Caption()[0];
    const int count = ContentLst->Items().Count();
    const int selected = ContentLst->ItemIndex();
    const int ahead = FindLetter(letter, selected + 1, count);
    if (ahead >= 0) {
        SelectLine(ahead, Sender);
        FHost.UpdateStatus(Sender);
        return;
    }
    if (selected > 0) {
        const int wrapped = FindLetter(letter, 0, selected);
        if (wrapped >= 0)
            SelectLine(wrapped, Sender);
    }
    FHost.UpdateStatus(Sender);
}

void TContentsPane::ContentLstSelect(TObject* Sender) {
    if (!FTopic)
        return;
    const TActionScope action(FHost);
    FTopic->HideHistory();
    const int32_t ordinal = FTopic->SelectedOrdinal(*ContentLst);
    if (ordinal == 0)
        return;
    FState.Set(nfContent);
    FState.Clear(nfExtraInfo | nfRecipe | nfSearch | nfHyperLink);
    FTopic->ShowOrdinal(ordinal);
    if (Sender != ContentLst)
        ContentLst->SetTopIndex(ContentLst->ItemIndex());
    FHost.UpdateStatus(Sender);
}

void TContentsPane::ContentLstMouseUp(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (ContentLst->ItemIndex() >= 0)
        ContentLstSelect(Sender);
}

void TContentsPane::ContentLstDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    DrawTitleRow(*ContentLst, *NavPage1Bk, Index, Rect, State);
}

} // namespace orvalis
