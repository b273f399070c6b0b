// The main window's navigation between pages, sections and modes, the refresh of every control from the
// navigation state, and the feedback of its buttons.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "app/window_status.h"
#include "controls/bk_control.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/page_stack.h"
#include "platform/panel.h"
#include "platform/printers.h"
#include "platform/scroll_box.h"

#include <optional>
#include <utility>

namespace orvalis {

namespace {
// The section code a section button stands for: "1" for the intro page's entry as well.
char SectionOfButton(const TMainForm& form, const TObject* sender) {
    if (sender == form.Entry1Btn || sender == form.Intro->EntryIntroBtn)
        return '1';
    if (sender == form.Entry2Btn)
        return '2';
    if (sender == form.Entry3Btn)
        return '3';
    return 0;
}

void SetFaceColors(TBaseBtn& button, TFaceColors colors) {
    button.Brush().SetColor(NearestScreenColor(colors.Brush));
    button.Pen().SetColor(NearestScreenColor(colors.Pen));
}
} // namespace

void TMainForm::BindHandlers() {
    for (TBaseBtn* button : {Intro->EntryIntroBtn, Entry1Btn, Entry2Btn, Entry3Btn})
        button->OnClick = [this](TObject* sender) { EntryBtnClick(sender); };
    BackBtn->OnClick = [this](TObject* sender) { BackBtnClick(sender); };
    MainMenuBtn->OnClick = [this](TObject* sender) { MainMenuBtnClick(sender); };
    SearchBtn->OnClick = [this](TObject* sender) { Search->SearchBtnClick(sender); };
    MinimizeBtn->OnClick = [this](TObject* sender) { MinimizeBtnClick(sender); };
    QuitBtn->OnClick = [this](TObject* sender) { QuitBtnClick(sender); };
    InfoBtn->OnClick = [this](TObject* sender) { InfoBtnClick(sender); };
    HelpBtn->OnClick = [this](TObject* sender) { HelpBtnClick(sender); };
    ClipboardCopy->MainTextToClipBrdBtn->OnClick = [this](TObject* sender) {
        ClipboardCopy->MainTextToClipBrdBtnClick(sender);
    };
    TextPrinter->MainTextPrintBtn->OnClick = [this](TObject* sender) {
        TextPrinter->MainTextPrintBtnClick(sender);
    };
    Topic->MainText->OnClick = [this](TObject* sender) { MainTextClick(sender); };
    SetUpReadingComforts();
    Intro->QuizIntroBtn->OnClick = [this](TObject* sender) { Quiz->QuizBtnClick(sender); };
    Intro->BMITestIntroBtn->OnClick = [this](TObject* sender) { Bmi->BMITestBtnClick(sender); };
    Topic->MainTextCtrl->OnCanResize = [this](TObject* sender, int& width, int& height, bool& resize) {
        MainTextCtrlCanResize(sender, width, height, resize);
    };
    Intro->HintTextCtrl->OnCanResize = [this](TObject* sender, int& width, int& height, bool& resize) {
        HintTextCtrlCanResize(sender, width, height, resize);
    };
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* sender, int& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnXButtonDown = [this](TObject* sender, TMouseButton button) { FormXButtonDown(sender, button); };
    SetReadingTabOrder();

    std::vector<TBaseBtn*> hovered{Intro->EntryIntroBtn,
                                   Intro->QuizIntroBtn,
                                   Intro->BMITestIntroBtn,
                                   Intro->DisclaimerIntroBtn,
                                   HelpBtn,
                                   MinimizeBtn,
                                   QuitBtn,
                                   Topic->GoToBtn,
                                   Topic->MainInfoBtn,
                                   Topic->ExtraInfoBtn,
                                   Topic->RecipeBtn,
                                   ClipboardCopy->MainTextToClipBrdBtn,
                                   TextPrinter->MainTextPrintBtn};
    const std::array<TBaseBtn*, 6> strip = StripButtons();
    hovered.insert(hovered.end(), strip.begin(), strip.end());
    hovered.insert(hovered.end(), Contents->BaseBtns.begin(), Contents->BaseBtns.end());
    hovered.insert(hovered.end(), {Quiz->QuizDoneBtn, Quiz->QuizNextQuestionBtn, Bmi->BMITestCalculateBtn});
    for (TBaseBtn* button : hovered) {
        button->OnMouseIn = [this](TObject* sender) { BtnMouseIn(sender); };
        button->OnMouseOut = [this](TObject* sender) { BtnMouseOut(sender); };
    }
    for (TBaseBtn* button :
         {Topic->MainInfoBtn, Topic->ExtraInfoBtn, Topic->RecipeBtn, ClipboardCopy->MainTextToClipBrdBtn,
          TextPrinter->MainTextPrintBtn, Topic->GoToBtn, Quiz->QuizDoneBtn, Quiz->QuizNextQuestionBtn,
          Bmi->BMITestCalculateBtn}) {
        button->OnMouseDown = [this](TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
            aBtnMouseDown(sender, b, s, x, y);
        };
        button->OnMouseUp = [this](TObject* sender, TMouseButton b, TShiftState s, int x, int y) {
            aBtnMouseUp(sender, b, s, x, y);
        };
    }
}

bool TMainForm::IntroPageShown() const {
    return MainPages->ActivePage() == IntroPage;
}

void TMainForm::EntryBtnClick(TObject* Sender) {
    const TActionScope action(*this);
    Topic->ClearDisplay();
    Topic->HideHistory();
    Search->SetSearchText("");
    LoadPictures(TPictureRow::Reading);
    const bool fromSearch = State.Has(nfHyperLink | nfSearch);
    MainPages->SetActivePage("MainPage");
    NavPages->SetActivePage("Content");
    const char section = SectionOfButton(*this, Sender);
    if (section) {
        State.NavFlags = nfContent;
        State.SetSection(section);
    }
    if (fromSearch) {
        int newest = -1;
        const int selected = Topic->GoToLst->ItemIndex();
        if (selected >= 0 && section &&
            Topic->GoToLst->Items()[selected].substr(0, 1) == std::string(1, section))
            newest = Topic->GoToLst->Items().Count() - 1;
        Topic->GoToLst->SetEnabled(false);
        ResetBtnClick(Sender);
        Topic->GoToLst->SetEnabled(true);
        if (newest >= 0) {
            Topic->GoToLst->SetItemIndex(newest);
            Topic->GoToLstSelect(Sender);
        } else if (Contents->ContentLst->Items().Count() > 0) {
            Contents->ContentLst->SetItemIndex(0);
            Contents->ContentLstSelect(Sender);
        }
    } else {
        ResetBtnClick(Sender);
    }
    UpdateStatus(Sender);
}

void TMainForm::EnterBook(TObject*) {
    EntryBtnClick(Intro->EntryIntroBtn);
}

void TMainForm::BackBtnClick(TObject*) {
    TBaseBtn* entry = Intro->EntryIntroBtn;
    if (State.Has(nfSection1))
        entry = Entry1Btn;
    else if (State.Has(nfSection2))
        entry = Entry2Btn;
    else if (State.Has(nfSection3))
        entry = Entry3Btn;
    EntryBtnClick(entry);
}

void TMainForm::MainMenuBtnClick(TObject* Sender) {
    const TActionScope action(*this);
    LoadPictures(TPictureRow::MainMenu);
    MainPages->SetActivePage("IntroPage");
    State.NavFlags = 0;
    UpdateStatus(Sender);
}

void TMainForm::ResetBtnClick(TObject* Sender) {
    const TActionScope action(*this);
    if (!State.RecFile) {
        Topic->ClearDisplay();
        UpdateStatus(Sender);
        return;
    }
    State.RecFile->SelectAll();
    if (State.Has(nfContent))
        Contents->ShowContentBtnClick(Sender);
    else
        Search->StartQuerySearchBtnClick(Sender);
}

void TMainForm::UpdateStatus(TObject*) {
    if (FActionDepth > 0)
        FNotedStatus = StatusInput();
    else
        ApplyStatus(StatusInput());
}

void TMainForm::BeginAction() {
    ++FActionDepth;
}

void TMainForm::EndAction() {
    if (--FActionDepth > 0)
        return;
    ApplyNotedStatus();
    // A task may start an action of its own, which runs the tasks it adds itself.
    std::vector<std::function<void()>> tasks = std::exchange(FAfterStatus, {});
    for (const std::function<void()>& task : tasks)
        task();
}

void TMainForm::ApplyStatusSoFar() {
    ApplyNotedStatus();
}

void TMainForm::AfterStatus(std::function<void()> task) {
    if (FActionDepth > 0)
        FAfterStatus.push_back(std::move(task));
    else
        task();
}

void TMainForm::ApplyNotedStatus() {
    if (std::optional<TStatusInput> noted = std::exchange(FNotedStatus, std::nullopt))
        ApplyStatus(*noted);
}

TStatusInput TMainForm::StatusInput() {
    TStatusInput input;
    input.NavFlags = State.NavFlags;
    input.IntroPageShown = IntroPageShown();
    input.ContentLines = Contents->ContentLst->Items().Count();
    input.HistoryLines = Topic->GoToLst->Items().Count();
    const char* text = Topic->MainText->GetText();
    input.TextShown = text && *text;
    input.HasDatabase = State.RecFile != nullptr;
    input.SelectedCount = State.RecFile ? State.RecFile->SelectedCount() : 0;
    input.CursorOrdinal = State.RecFile ? State.RecFile->CursorOrdinal() : 0;
    input.PrinterInstalled = PrinterInstalled();
    input.ExtraInfoOrdinal = State.ExtraInfoOrdinal;
    input.RecipeOrdinal = State.RecipeOrdinal;
    return input;
}

void TMainForm::ApplyStatus(const TStatusInput& input) {
    ++FStatusApplications;
    const TWindowStatus status = ComputeWindowStatus(input);

    switch (status.NavPage) {
    case TNavPage::Content:
        NavPages->SetActivePage("Content");
        break;
    case TNavPage::Search:
        NavPages->SetActivePage("Search");
        break;
    case TNavPage::HyperLink:
        NavPages->SetActivePage("HyperLink");
        break;
    case TNavPage::Unchanged:
        break;
    }
    if (status.SetTextButtonColors)
        for (TBaseBtn* button : {ClipboardCopy->MainTextToClipBrdBtn, TextPrinter->MainTextPrintBtn})
            SetFaceColors(*button, status.TextButtonColors);
    if (!status.ContentCaption.empty()) {
        Contents->ContentHeader->SetCaption(status.ContentCaption);
        Contents->ContentHeaderBk->SetCaption(status.ContentCaption);
    }
    BtnPnl->SetVisible(status.BtnPnlVisible);
    Contents->ContentLst->SetVisible(status.ContentLstVisible);
    Topic->GoToBtn->SetVisible(status.GoToBtnVisible);
    Topic->MainTextHeaderLbl->SetVisible(status.MainTextVisible);
    Topic->MainTextCtrl->SetVisible(status.MainTextVisible);
    ClipboardCopy->MainTextToClipBrdBtn->SetVisible(status.ClipBrdBtnVisible);
    TextPrinter->MainTextPrintBtn->SetVisible(status.PrintBtnVisible);
    const auto apply = [](TBaseBtn* button, TButtonStatus s) {
        button->SetVisible(s.Visible);
        button->SetEnabled(s.Enabled);
    };
    apply(Topic->ExtraInfoBtn, status.ExtraInfoBtn);
    apply(Topic->RecipeBtn, status.RecipeBtn);
    apply(Topic->MainInfoBtn, status.MainInfoBtn);
    for (TBaseBtn* button : {Entry1Btn, Entry2Btn, Entry3Btn, SearchBtn})
        button->SetVisible(status.SectionBtnsVisible);
    MainMenuBtn->SetVisible(status.MainMenuBtnVisible);
    BackBtn->SetVisible(status.BackBtnVisible);
    FocusNewPage();
}

// The printing system is asked for its printers once: the answer holds while the program runs.
bool TMainForm::PrinterInstalled() {
    if (FPrinterCheckDeferred)
        return false;
    if (!FPrinterInstalled)
        FPrinterInstalled = !Printer().Printers().empty();
    return *FPrinterInstalled;
}

void TMainForm::MinimizeBtnClick(TObject*) {
    Application().Minimize();
}

void TMainForm::QuitBtnClick(TObject*) {
    Close();
}

void TMainForm::MainTextClick(TObject*) {
    Topic->MainTextCtrl->SetFocus();
}

void TMainForm::MainTextCtrlCanResize(TObject*, int&, int&, bool&) {
    if (Topic->MainText)
        Topic->MainText->PaintNow();
}

void TMainForm::HintTextCtrlCanResize(TObject*, int&, int&, bool&) {
    if (Intro->HintText)
        Intro->HintText->PaintNow();
}

void TMainForm::BtnMouseIn(TObject* Sender) {
    auto* button = dynamic_cast<TBaseBtn*>(Sender);
    if (button && button->Enabled())
        button->Font().SetStyle(button->Font().Style().With(TFontStyle::fsUnderline));
    if (!IntroPageShown())
        return;
    Intro->ShowHint(Sender);
}

void TMainForm::BtnMouseOut(TObject* Sender) {
    auto* button = dynamic_cast<TBaseBtn*>(Sender);
    if (button && button->Enabled())
        button->Font().SetStyle(button->Font().Style().Without(TFontStyle::fsUnderline));
}

void TMainForm::aBtnMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (auto* button = dynamic_cast<TBaseBtn*>(Sender))
        SetFaceColors(*button, PressedFaceColors(State.NavFlags));
}

void TMainForm::aBtnMouseUp(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (auto* button = dynamic_cast<TBaseBtn*>(Sender))
        SetFaceColors(*button, RestingFaceColors(State.NavFlags));
}

} // namespace orvalis
