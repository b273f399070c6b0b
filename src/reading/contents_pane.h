#pragma once

#include "controls/text_control.h"
#include "host/page_host.h"
#include "reading/reading_state.h"

#include <array>
#include <string_view>

namespace orvalis {

class TBaseBtn;
class TBkControl;
class TLabel;
class TTopicDisplay;

// The contents page of the left column: the section's titles in byte order and 26 letter buttons "A" to
// "Z" in three rows under the list, each enabled when a title begins with its letter and stepping through
// those titles.
class TContentsPane {
public:
    static constexpr int LetterCount = 26;

    // Builds the page's background, header, list and letter buttons at their design positions.
    TContentsPane(TReadingState& state, TPageHost& host, TWinControl* contentPage);
    TContentsPane(const TContentsPane&) = delete;
    TContentsPane& operator=(const TContentsPane&) = delete;

    void Connect(TTopicDisplay* topic) { FTopic = topic; }
    // The header's colours as the screen can show them.
    void AdaptColors();

    TBkControl* NavPage1Bk = nullptr;
    TLabel* ContentHeaderBk = nullptr;
    TLabel* ContentHeader = nullptr;
    GTextControl* ContentLst = nullptr;
    // BaseBtn2 ... BaseBtn27: "A" ... "Z".
    std::array<TBaseBtn*, LetterCount> BaseBtns{};

    void ShowContentBtnClick(TObject* Sender);
    void BaseBtnNClick(TObject* Sender);
    void ContentLstSelect(TObject* Sender);
    void ContentLstMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ContentLstDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    // A letter key in the list acts as that letter's button, when the button can be used.
    void ContentLstKeyDown(TObject* Sender, int& Key, TShiftState Shift);

    // The letter button of an ASCII capital, or none.
    TBaseBtn* LetterButton(char letter) const;
    // Selects the first line of the title, without showing it; false when the list has no lines. A title
    // not in the list leaves the selection as it is.
    bool SelectTitle(std::string_view title);

private:
    // The first line at or after `from` and before `to` whose title begins with the letter; -1 for none.
    int FindLetter(char letter, int from, int to) const;
    // Selects the line and shows it, as a pick by `Sender`.
    void SelectLine(int index, TObject* Sender);

    TReadingState& FState;
    TPageHost& FHost;
    TTopicDisplay* FTopic = nullptr;
};

} // namespace orvalis
