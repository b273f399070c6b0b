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
#include "platform/paths.h"
#include "platform/printers.h"
#include "platform/scroll_box.h"

#include <chrono>

namespace orvalis {

namespace {
// The section code a section button stands for: "1" for the intro page's entry as well.
char SectionOfButton(const TMainForm& form, const TObject* sender) {
    if (sender == form.Entry1Btn || sender == form.EntryIntroBtn)
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
    for (TBaseBtn* button : {EntryIntroBtn, Entry1Btn, Entry2Btn, Entry3Btn})
        button->OnClick = [this](TObject* sender) { EntryBtnClick(sender); };
    BackBtn->OnClick = [this](TObject* sender) { BackBtnClick(sender); };
    MainMenuBtn->OnClick = [this](TObject* sender) { MainMenuBtnClick(sender); };
    SearchBtn->OnClick = [this](TObject* sender) { Search->SearchBtnClick(sender); };
    MinimizeBtn->OnClick = [this](TObject* sender) { MinimizeBtnClick(sender); };
    QuitBtn->OnClick = [this](TObject* sender) { QuitBtnClick(sender); };
    InfoBtn->OnClick = [this](TObject* sender) { InfoBtnClick(sender); };
    HelpBtn->OnClick = [this](TObject* sender) { HelpBtnClick(sender); };
    MainTextToClipBrdBtn->OnClick = [this](TObject* sender) {
        ClipboardCopy->MainTextToClipBrdBtnClick(sender);
    };
    MainTextPrintBtn->OnClick = [this](TObject* sender) { TextPrinter->MainTextPrintBtnClick(sender); };
    MainText->OnClick = [this](TObject* sender) { MainTextClick(sender); };
    SetUpReadingComforts();
    QuizIntroBtn->OnClick = [this](TObject* sender) { Quiz->QuizBtnClick(sender); };
    BMITestIntroBtn->OnClick = [this](TObject* sender) { Bmi->BMITestBtnClick(sender); };
    MainTextCtrl->OnCanResize = [this](TObject* sender, int& width, int& height, bool& resize) {
        MainTextCtrlCanResize(sender, width, height, resize);
    };
    HintTextCtrl->OnCanResize = [this](TObject* sender, int& width, int& height, bool& resize) {
        HintTextCtrlCanResize(sender, width, height, resize);
    };
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* sender, int& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
    OnXButtonDown = [this](TObject* sender, TMouseButton button) { FormXButtonDown(sender, button); };
    SetReadingTabOrder();

    std::vector<TBaseBtn*> hovered{
        EntryIntroBtn,   QuizIntroBtn, BMITestIntroBtn, DisclaimerIntroBtn, Entry1Btn, Entry2Btn,
        Entry3Btn,       SearchBtn,    BackBtn,         MainMenuBtn,        HelpBtn,   MinimizeBtn,
        QuitBtn,         GoToBtn,      MainInfoBtn,     ExtraInfoBtn,       RecipeBtn, MainTextToClipBrdBtn,
        MainTextPrintBtn};
    hovered.insert(hovered.end(), BaseBtns.begin(), BaseBtns.end());
    hovered.insert(hovered.end(), {Quiz->QuizDoneBtn, Quiz->QuizNextQuestionBtn, Bmi->BMITestCalculateBtn});
    for (TBaseBtn* button : hovered) {
        button->OnMouseIn = [this](TObject* sender) { BtnMouseIn(sender); };
        button->OnMouseOut = [this](TObject* sender) { BtnMouseOut(sender); };
    }
    for (TBaseBtn* button :
         {MainInfoBtn, ExtraInfoBtn, RecipeBtn, MainTextToClipBrdBtn, MainTextPrintBtn, GoToBtn,
          Quiz->QuizDoneBtn, Quiz->QuizNextQuestionBtn, Bmi->BMITestCalculateBtn}) {
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
    Topic->ClearDisplay();
    GoToPnl->Hide();
    SearchEdit->SetText("");
    LoadReadingPictures();
    const bool fromSearch = Has(nfHyperLink | nfSearch);
    MainPages->SetActivePage("MainPage");
    NavPages->SetActivePage("Content");
    const char section = SectionOfButton(*this, Sender);
    if (section) {
        NavFlags = nfContent;
        SetSection(section);
    }
    if (fromSearch) {
        int newest = -1;
        const int selected = GoToLst->ItemIndex();
        if (selected >= 0 && section && GoToLst->Items()[selected].substr(0, 1) == std::string(1, section))
            newest = GoToLst->Items().Count() - 1;
        GoToLst->SetEnabled(false);
        ResetBtnClick(Sender);
        GoToLst->SetEnabled(true);
        if (newest >= 0) {
            GoToLst->SetItemIndex(newest);
            Topic->GoToLstSelect(Sender);
        } else if (ContentLst->Items().Count() > 0) {
            ContentLst->SetItemIndex(0);
            Contents->ContentLstSelect(Sender);
        }
    } else {
        ResetBtnClick(Sender);
    }
    UpdateStatus(Sender);
}

void TMainForm::LoadReadingPictures() {
    LoadBackground("m_t", HeaderBk->Background());
    LoadBackground("m_r", MainBk->Background());
    MainText->Background().SetImage(MainBk->Background().Image());
    LoadBackground("m_b", BtnPnlBk->Background());
    if (!NavPage1Bk->Background().Image().HasGraphic())
        LoadBackground("m_l1", NavPage1Bk->Background());
}

void TMainForm::BackBtnClick(TObject*) {
    TBaseBtn* entry = EntryIntroBtn;
    if (Has(nfSection1))
        entry = Entry1Btn;
    else if (Has(nfSection2))
        entry = Entry2Btn;
    else if (Has(nfSection3))
        entry = Entry3Btn;
    EntryBtnClick(entry);
}

void TMainForm::MainMenuBtnClick(TObject* Sender) {
    LoadBackground("i_t", HeaderBk->Background());
    MainPages->SetActivePage("IntroPage");
    NavFlags = 0;
    UpdateStatus(Sender);
}

void TMainForm::ResetBtnClick(TObject* Sender) {
    if (!RecFile) {
        Topic->ClearDisplay();
        UpdateStatus(Sender);
        return;
    }
    RecFile->SelectAll();
    if (Has(nfContent))
        Contents->ShowContentBtnClick(Sender);
    else
        Search->StartQuerySearchBtnClick(Sender);
}

void TMainForm::UpdateStatus(TObject*) {
    TStatusInput input;
    input.NavFlags = NavFlags;
    input.IntroPageShown = IntroPageShown();
    input.ContentLines = ContentLst->Items().Count();
    input.HistoryLines = GoToLst->Items().Count();
    const char* text = MainText->GetText();
    input.TextShown = text && *text;
    input.HasDatabase = RecFile != nullptr;
    input.SelectedCount = RecFile ? RecFile->SelectedCount() : 0;
    input.CursorOrdinal = RecFile ? RecFile->CursorOrdinal() : 0;
    input.PrinterInstalled = PrinterInstalled();
    input.ExtraInfoOrdinal = ExtraInfoOrdinal;
    input.RecipeOrdinal = RecipeOrdinal;
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
        for (TBaseBtn* button : {MainTextToClipBrdBtn, MainTextPrintBtn})
            SetFaceColors(*button, status.TextButtonColors);
    if (!status.ContentCaption.empty()) {
        ContentHeader->SetCaption(status.ContentCaption);
        ContentHeaderBk->SetCaption(status.ContentCaption);
    }
    BtnPnl->SetVisible(status.BtnPnlVisible);
    ContentLst->SetVisible(status.ContentLstVisible);
    GoToBtn->SetVisible(status.GoToBtnVisible);
    MainTextHeaderLbl->SetVisible(status.MainTextVisible);
    MainTextCtrl->SetVisible(status.MainTextVisible);
    MainTextToClipBrdBtn->SetVisible(status.ClipBrdBtnVisible);
    MainTextPrintBtn->SetVisible(status.PrintBtnVisible);
    const auto apply = [](TBaseBtn* button, TButtonStatus s) {
        button->SetVisible(s.Visible);
        button->SetEnabled(s.Enabled);
    };
    apply(ExtraInfoBtn, status.ExtraInfoBtn);
    apply(RecipeBtn, status.RecipeBtn);
    apply(MainInfoBtn, status.MainInfoBtn);
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
    MainTextCtrl->SetFocus();
}

void TMainForm::MainTextCtrlCanResize(TObject*, int&, int&, bool&) {
    if (MainText)
        MainText->PaintNow();
}

void TMainForm::HintTextCtrlCanResize(TObject*, int&, int&, bool&) {
    if (HintText)
        HintText->PaintNow();
}

void TMainForm::BtnMouseIn(TObject* Sender) {
    auto* button = dynamic_cast<TBaseBtn*>(Sender);
    if (button && button->Enabled())
        button->Font().SetStyle(button->Font().Style().With(TFontStyle::fsUnderline));
    if (!IntroPageShown())
        return;
    const char* hint = Sender == EntryIntroBtn        ? "D\\1.Hnt"
                       : Sender == QuizIntroBtn       ? "D\\2.Hnt"
                       : Sender == BMITestIntroBtn    ? "D\\3.Hnt"
                       : Sender == DisclaimerIntroBtn ? "D\\4.Hnt"
                                                      : nullptr;
    if (!hint)
        return;
    HintText->SetText(nullptr);
    HintText->LoadFromFile(ProgramPath(hint));
}

void TMainForm::BtnMouseOut(TObject* Sender) {
    auto* button = dynamic_cast<TBaseBtn*>(Sender);
    if (button && button->Enabled())
        button->Font().SetStyle(button->Font().Style().Without(TFontStyle::fsUnderline));
}

void TMainForm::aBtnMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (auto* button = dynamic_cast<TBaseBtn*>(Sender))
        SetFaceColors(*button, PressedFaceColors(NavFlags));
}

void TMainForm::aBtnMouseUp(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (auto* button = dynamic_cast<TBaseBtn*>(Sender))
        SetFaceColors(*button, RestingFaceColors(NavFlags));
}

} // namespace orvalis
