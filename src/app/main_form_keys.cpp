// The main window without a mouse: the order in which Tab visits the controls, and the keys the whole
// window answers, whichever control has the focus.
#include "app/main_form.h"
#include "platform/edit.h"
#include "platform/page_stack.h"
#include "platform/radio_button.h"
#include "platform/scroll_box.h"

namespace orvalis {

namespace {
constexpr TShiftState Ctrl = uint8_t(TShiftFlag::ssCtrl);
constexpr TShiftState Alt = uint8_t(TShiftFlag::ssAlt);
constexpr TShiftState CtrlShift = uint8_t(TShiftFlag::ssCtrl) | uint8_t(TShiftFlag::ssShift);

// Acts as a click on the button, when the reader can see and use it; false when not.
bool PressShown(TBaseBtn* button) {
    if (!button->Showing() || !button->Enabled())
        return false;
    button->Click();
    return true;
}

// Whether the control lies on the page (or is the page).
bool IsOn(const TControl* control, const TControl* page) {
    for (; control; control = control->Parent())
        if (control == page)
            return true;
    return false;
}
} // namespace

void TMainForm::SetReadingTabOrder() {
    std::vector<TControl*> order{Intro->EntryIntroBtn,      Intro->QuizIntroBtn, Intro->BMITestIntroBtn,
                                 Intro->DisclaimerIntroBtn, Intro->HintTextCtrl, Contents->ContentLst};
    order.insert(order.end(), Contents->BaseBtns.begin(), Contents->BaseBtns.end());
    order.insert(order.end(), {Topic->GoToBtn,
                               Topic->GoToLst,
                               Search->SearchEdit,
                               Search->QueryResultsLst,
                               CrossReferences->HLQueryResultsLst1,
                               CrossReferences->HLQueryResultsLst2,
                               Topic->MainTextCtrl,
                               Topic->MainInfoBtn,
                               Topic->ExtraInfoBtn,
                               Topic->RecipeBtn,
                               ClipboardCopy->MainTextToClipBrdBtn,
                               TextPrinter->MainTextPrintBtn,
                               Quiz->QuizAlt1RBtn,
                               Quiz->QuizAlt2RBtn,
                               Quiz->QuizAlt3RBtn,
                               Quiz->QuizDoneBtn,
                               Quiz->QuizNextQuestionBtn,
                               Bmi->BMITestLengthEdit,
                               Bmi->BMITestWeightEdit,
                               Bmi->BMITestCalculateBtn});
    const std::array<TBaseBtn*, 6> strip = StripButtons();
    order.insert(order.end(), strip.begin(), strip.end());
    order.insert(order.end(), {InfoBtn, HelpBtn, MinimizeBtn, QuitBtn});
    SetTabOrder(order);
    FTabOrder = std::move(order);
}

void TMainForm::FocusNewPage() {
    TPage* page = MainPages->ActivePage();
    if (page == FFocusedPage)
        return;
    FFocusedPage = page;
    if (!KeyboardCues() || !page)
        return;
    if (const TControl* active = ActiveControl(); active && active->Showing() && IsOn(active, page))
        return;
    for (TControl* control : FTabOrder)
        if (IsOn(control, page) && control->Showing() && control->Enabled() && control->TabStop()) {
            control->SetFocus();
            return;
        }
}

void TMainForm::FormKeyDown(TObject*, int& Key, TShiftState Shift) {
    // Back and forward while reading; Backspace in an edit deletes, as it always did.
    if (MainPages->ActivePage() == MainPage) {
        const bool back = (Key == vkLeft && Shift == Alt) ||
                          (Key == vkBack && Shift == 0 && !dynamic_cast<TEdit*>(ActiveControl()));
        const bool forward = Key == vkRight && Shift == Alt;
        if (back || forward) {
            Key = 0;
            if (back)
                TrailBack(this);
            else
                TrailForward(this);
            return;
        }
    }
    if (Key == 'F' && Shift == Ctrl) {
        Key = 0;
        // Search mode is kept with its results when the reader is in it already.
        if (!State.Has(nfSearch))
            Search->SearchBtnClick(SearchBtn);
        Search->SearchEdit->SetFocus();
        return;
    }
    if (ReadingComfortKeyDown(Key, Shift)) {
        Key = 0;
        return;
    }
    TBaseBtn* button = nullptr;
    if (Key == vkEscape && Shift == 0)
        button = BackBtn->Showing() ? BackBtn : MainMenuBtn;
    else if (Key == 'P' && Shift == Ctrl)
        button = TextPrinter->MainTextPrintBtn;
    else if (Key == 'C' && Shift == CtrlShift)
        button = ClipboardCopy->MainTextToClipBrdBtn;
    else if (Key == vkF1 && Shift == 0)
        button = HelpBtn;
    if (button) {
        if (PressShown(button))
            Key = 0;
        return;
    }
    // On the quiz page Enter answers unless it is meant for a focused button.
    if (MainPages->ActivePage() == QuizPage &&
        !(Key == vkReturn && dynamic_cast<TBaseBtn*>(ActiveControl()) != nullptr))
        Quiz->QuizKeyDown(this, Key, Shift);
}

} // namespace orvalis
