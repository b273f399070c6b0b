// The main window's design at 640x480: every control with its position, size, colours and fonts. The
// start-up scales the whole tree afterwards for the larger layouts.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "controls/bk_control.h"
#include "controls/design_controls.h"
#include "controls/gauge.h"
#include "controls/hand_cursors.h"
#include "platform/canvas.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/measure_canvas.h"
#include "platform/page_stack.h"
#include "platform/panel.h"
#include "platform/scroll_box.h"

#include <algorithm>
#include <memory>

namespace orvalis {

namespace {

constexpr TColor TitleColor = TColor::FromRgb(0x6D3A0D);
constexpr TColor TitleShadowColor = TColor::FromRgb(0xA99D60);

} // namespace

void TMainForm::CreateControls() {
    SetColor(WindowColor);
    TFont font = Font();
    font.SetName("Arial");
    font.SetHeight(-11);
    SetFont(font);

    MainFormPanel = new TPanel(this);
    MainFormPanel->SetBounds(0, 0, 640, 480);
    CreateHeader();
    CreateButtonStrip();
    MainPages = new TPageStack(MainFormPanel);
    MainPages->SetBounds(0, 50, 640, 380);
    IntroPage = &MainPages->AddPage("IntroPage");
    MainPage = &MainPages->AddPage("MainPage");
    QuizPage = &MainPages->AddPage("QuizPage");
    BMITestPage = &MainPages->AddPage("BMITestPage");
    CreateIntroPage();
    CreateMainPage();
    CreateSelfTestPages();
    SetCursors(*this);
}

// Whatever can be clicked shows the hand (the buttons and lists take it themselves), the edits the text
// cursor, and the rest of the window the hand without its finger.
void TMainForm::SetCursors(TWinControl& parent) {
    parent.SetCursor(crHandNoFingersCursor);
    for (TControl* control : parent.Controls()) {
        if (dynamic_cast<TBaseBtn*>(control) || dynamic_cast<GTextControl*>(control) ||
            dynamic_cast<TEdit*>(control))
            continue;
        if (auto* container = dynamic_cast<TWinControl*>(control))
            SetCursors(*container);
        else
            control->SetCursor(crHandNoFingersCursor);
    }
}

void TMainForm::CreateHeader() {
    HeaderPnl = MakePanel(MainFormPanel, TAlign::alTop, 640, 50);
    HeaderBk = MakeBackground(HeaderPnl);
    const TTextLook title{"Arial", 19, {}, TitleShadowColor, TAlignment::taCenter};
    CaptionLblBk = MakeLabel(HeaderPnl, Bounds(91, 6, 460, 22), "", title);
    CaptionLblBk->SetDecorative(true);
    InfoBtn = MakeButton(HeaderPnl, Bounds(17, 7, 21, 27), "", "Geeft informatie over Orvalis", TFace::None);
    CaptionLbl =
        MakeLabel(HeaderPnl, Bounds(90, 5, 460, 22), "", {"Arial", 19, {}, TitleColor, TAlignment::taCenter});
    HelpBtn = MakeButton(HeaderPnl, Bounds(558, 12, 18, 18), "", "Orvalis Online Help", TFace::None);
    MinimizeBtn = MakeButton(HeaderPnl, Bounds(579, 12, 18, 18), "", "Orvalis minimaliseren", TFace::None);
    QuitBtn = MakeButton(HeaderPnl, Bounds(600, 12, 18, 18), "", "Orvalis afsluiten", TFace::None);
    CaptionSubLbl =
        MakeLabel(HeaderPnl, Bounds(90, 25, 460, 15), "Gezond worden en gezond blijven met de natuur",
                  {"Arial", 11, {}, TitleColor, TAlignment::taCenter});
}

void TMainForm::CreateButtonStrip() {
    // The strip lies under the pages; the intro page, shown first, goes without it.
    BtnPnl = MakePanel(MainFormPanel, TAlign::alNone, 640, 50);
    BtnPnl->SetTop(430);
    BtnPnl->Hide();
    BtnPnlBk = MakeBackground(BtnPnl);
    const auto strip = [this](int left, int width, const char* caption, const char* hint) {
        return MakeButton(BtnPnl, Bounds(left, 21, width, 18), caption, hint, TFace::None);
    };
    Entry1Btn = strip(14, 60, "A & R",
                      "Aandoeningen & Remedies - Wat is het probleem en wat kunt u er zelf aan doen!");
    Entry2Btn = strip(91, 144, "Voedingsstoffen Algemeen", "Ga naar het onderdeel voedingsstoffen algemeen");
    Entry3Btn =
        strip(251, 144, "Voedingsstoffen Specifiek", "Ga naar het onderdeel voedingsstoffen specifiek");
    SearchBtn = strip(412, 61, "Zoeken", "Op zoek naar een klacht, ingredi\xEBnt of medische term?");
    BackBtn = strip(562, 62, "A & R", "Terug naar Aandoeningen & Remedies");
    MainMenuBtn = strip(562, 63, "Hoofdmenu", "Terug naar het hoofdmenu");
}

void TMainForm::CreateIntroPage() {
    Intro = std::make_unique<TIntroPage>(IntroPage);
}

// The reading page: the left column's three pages, the topic display with the picture of the right column,
// the search gauge over it, and the two output buttons under the text.
void TMainForm::CreateMainPage() {
    NavPages = new TPageStack(MainPage);
    NavPages->SetBounds(0, 0, 219, 380);
    NavPages->SetAlign(TAlign::alLeft);
    ContentPage = &NavPages->AddPage("Content");
    SearchPage = &NavPages->AddPage("Search");
    HyperLinkPage = &NavPages->AddPage("HyperLink");
    Contents = std::make_unique<TContentsPane>(State, *this, ContentPage);
    CrossReferences = std::make_unique<TCrossReferences>(State, *this, HyperLinkPage);
    Topic = std::make_unique<TTopicDisplay>(State, *this, MainPage, ContentPage);
    Search = std::make_unique<TKeywordSearch>(State, *this, SearchPage, MainPage);
    ClipboardCopy = std::make_unique<TClipboardCopy>(MainPage);
    TextPrinter = std::make_unique<TTextPrinter>(MainPage, this);
    Topic->CreateTextSizeButtons(MainPage);
}

void TMainForm::CreateSelfTestPages() {
    Quiz = std::make_unique<TQuizPage>(*this, QuizPage);
    Bmi = std::make_unique<TBmiPage>(*this, BMITestPage);
}

std::vector<GTextControl*> TMainForm::Lists() const {
    return {Contents->ContentLst, Search->QueryResultsLst, CrossReferences->HLQueryResultsLst1,
            CrossReferences->HLQueryResultsLst2, Topic->GoToLst};
}

// Every design colour of the window through the screen's nearest colour; on screens other than 8 bits per
// pixel each stays as it is.
void TMainForm::AdaptColors() {
    SetColor(NearestScreenColor(Color()));
    for (TLabel* label : {CaptionLbl, CaptionSubLbl, CaptionLblBk})
        AdaptToScreen(*label);
    Contents->AdaptColors();
    Search->AdaptColors();
    CrossReferences->AdaptColors();
    Topic->AdaptColors(Color());
    Quiz->AdaptColors();
    Bmi->AdaptColors();
    for (TBaseBtn* button : {ClipboardCopy->MainTextToClipBrdBtn, TextPrinter->MainTextPrintBtn})
        AdaptToScreen(*button);
}

} // namespace orvalis
