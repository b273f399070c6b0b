#pragma once

#include "content/idb_rec.h"
#include "controls/parser_control.h"
#include "controls/text_control.h"
#include "host/page_host.h"
#include "platform/color.h"
#include "reading/reading_state.h"
#include "reading/topic_trail.h"

#include <string>

namespace orvalis {

class TBaseBtn;
class TBkControl;
class TContentsPane;
class TLabel;
class TPanel;
class TScrollBox;

// The topic on display: the right column's picture, the header above the text, the text's scroll box, the
// three buttons that switch between a topic's information, extra information and recipe, the text size
// buttons, and the history of topics read (the "Historie" button with its pop-up panel over the contents
// list). Every pick of a record ends in ShowRecord.
class TTopicDisplay {
public:
    // Builds the picture, header, text box and content buttons on the main page, and the history on the
    // contents page, at their design positions.
    TTopicDisplay(TReadingState& state, TPageHost& host, TWinControl* mainPage, TWinControl* contentPage);
    TTopicDisplay(const TTopicDisplay&) = delete;
    TTopicDisplay& operator=(const TTopicDisplay&) = delete;

    // The contents, which the "Informatie" button and the history call.
    void Connect(TContentsPane* contents) { FContents = contents; }
    // The text size buttons just above the right end of the text buttons. They come after the other
    // controls of the main page, over the search gauge.
    void CreateTextSizeButtons(TWinControl* mainPage);
    // The renderer inside MainTextCtrl. The window creates it after it gave its other controls their
    // cursors.
    void CreateRenderer();
    // The design colours as the screen can show them; the history's panel takes the window's colour.
    void AdaptColors(TColor windowColor);

    // The right column's picture, under the text.
    TBkControl* MainBk = nullptr;
    TLabel* MainTextHeaderBkLbl = nullptr;
    TLabel* MainTextHeaderLbl = nullptr;
    TScrollBox* MainTextCtrl = nullptr;
    GParserControl* MainText = nullptr;
    TBaseBtn* MainInfoBtn = nullptr;
    TBaseBtn* ExtraInfoBtn = nullptr;
    TBaseBtn* RecipeBtn = nullptr;
    TBaseBtn* GoToBtn = nullptr;
    TPanel* GoToPnl = nullptr;
    TBkControl* GoToPnlBk = nullptr;
    GTextControl* GoToLst = nullptr;
    // "A–" and "A+".
    TBaseBtn* TextSmallerBtn = nullptr;
    TBaseBtn* TextLargerBtn = nullptr;

    // Where a click on a link of a shown topic goes (the cross-references); none leaves links inert.
    GOnHyperLinkClick OnMainTextHyperLinkClick;

    void ShowRecord(const TiDbRec& R);
    // The ordinal in the title line selected in a list of the left column; 0 when there is no database,
    // no selection, no such line or no number before its "|", which leaves the display as it is.
    int32_t SelectedOrdinal(const GCustomTextControl& list) const;
    // Shows the record at the ordinal of the current selection (nothing, as an all-zero record, when none).
    void ShowOrdinal(int32_t ordinal);
    void ClearDisplay();
    void ContentSwitchBtnClick(TObject* Sender);
    void GoToBtnClick(TObject* Sender);
    // Closes the history's panel.
    void HideHistory();
    void GoToLstMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void GoToLstSelect(TObject* Sender);
    void GoToLstDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);

    // The caption of both header labels.
    void SetHeader(const std::string& caption);

    // At most this many topics stay in the history.
    static constexpr int MaxHistoryLines = 15;

    // The topics shown in this session, for back and forward. A topic joins it when it is shown in one of
    // the three reading modes while the history list is enabled (not on the way through a section's
    // rebuild, nor while a step of the trail itself is being shown).
    TTopicTrail Trail;
    // The ordinal, in the selection that showed it, of the topic whose text is on display; 0 for none.
    int32_t TopicOrdinal() const { return FTopicOrdinal; }

private:
    void RecordHistory(const TPathLevels& levels);
    void FindExtraTexts();
    // Marks the finds of the search whose result is on display.
    void MarkHits();
    std::string HeaderCaption(const TPathLevels& levels) const;
    void RecordTrail();

    TReadingState& FState;
    TPageHost& FHost;
    TContentsPane* FContents = nullptr;
    int32_t FTopicOrdinal = 0;
};

} // namespace orvalis
