// The main window's reading comforts: the session's text size of the topic and hint texts (keys, Ctrl+wheel
// over either text, the "A–" and "A+" buttons beside the text buttons), and the keys that go from one
// marked search hit to the next. Nothing of it is stored.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "controls/design_controls.h"
#include "controls/shared_palette.h"
#include "platform/page_stack.h"

#include <iterator>

namespace orvalis {

namespace {
constexpr TShiftState Ctrl = uint8_t(TShiftFlag::ssCtrl);
constexpr TShiftState CtrlShift = uint8_t(TShiftFlag::ssCtrl) | uint8_t(TShiftFlag::ssShift);
constexpr TShiftState Shift = uint8_t(TShiftFlag::ssShift);
} // namespace

void TMainForm::SetUpReadingComforts() {
    // The colours as the screen can show them (the renderers exist only after the colour adaptation of the
    // rest of the window).
    for (GParserControl* renderer : {Topic->MainText, Intro->HintText}) {
        renderer->SetMarkColor(NearestScreenColor(renderer->MarkColor()));
        renderer->SetCurrentMarkColor(NearestScreenColor(renderer->CurrentMarkColor()));
        renderer->OnZoomChange = [this](TObject* sender) {
            SetTextZoom(static_cast<GParserControl*>(sender)->Zoom());
        };
    }
    // The buttons look and answer the pointer as the text buttons beside them do.
    for (TBaseBtn* button : {Topic->TextSmallerBtn, Topic->TextLargerBtn}) {
        AdaptToScreen(*button);
        button->OnClick = [this](TObject* sender) { TextSizeBtnClick(sender); };
        button->OnMouseIn = [this](TObject* sender) { BtnMouseIn(sender); };
        button->OnMouseOut = [this](TObject* sender) { BtnMouseOut(sender); };
        button->OnMouseDown = [this](TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
            aBtnMouseDown(sender, b, s, x, y);
        };
        button->OnMouseUp = [this](TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
            aBtnMouseUp(sender, b, s, x, y);
        };
    }
}

int TMainForm::TextZoom() const {
    return Topic->MainText->Zoom();
}

void TMainForm::SetTextZoom(int percent) {
    for (GParserControl* renderer : {Topic->MainText, Intro->HintText})
        renderer->SetZoom(percent);
    const int zoom = Topic->MainText->Zoom();
    Topic->TextSmallerBtn->SetEnabled(zoom > TextZoomSteps[0]);
    Topic->TextLargerBtn->SetEnabled(zoom < TextZoomSteps[std::size(TextZoomSteps) - 1]);
}

void TMainForm::TextSizeBtnClick(TObject* Sender) {
    SetTextZoom(StepTextZoom(TextZoom(), Sender == Topic->TextLargerBtn ? 1 : -1));
}

bool TMainForm::ReadingComfortKeyDown(int Key, TShiftState ShiftState) {
    // Ctrl+plus is Ctrl+= on keyboards where plus needs Shift; the keypad's plus and minus come as such.
    if ((Key == '+' || Key == '=') && (ShiftState == Ctrl || ShiftState == CtrlShift)) {
        SetTextZoom(StepTextZoom(TextZoom(), 1));
        return true;
    }
    if (Key == '-' && ShiftState == Ctrl) {
        SetTextZoom(StepTextZoom(TextZoom(), -1));
        return true;
    }
    if (Key == '0' && ShiftState == Ctrl) {
        SetTextZoom(TextZoomSteps[0]);
        return true;
    }
    if (Key == vkF3 && (ShiftState == 0 || ShiftState == Shift)) {
        if (MainPages->ActivePage() != MainPage || Topic->MainText->MarkCount() == 0)
            return false;
        Topic->MainText->StepMark(ShiftState == 0 ? 1 : -1);
        return true;
    }
    return false;
}

} // namespace orvalis
