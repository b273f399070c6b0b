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
    IntroBk = MakeBackground(IntroPage);
    const auto entry = [this](int top, const char* caption) {
        return MakeButton(IntroPage, Bounds(20, top, 150, 18), caption, "", TFace::None);
    };
    EntryIntroBtn = entry(30, "Orvalis");
    QuizIntroBtn = entry(93, "Doe de Orvakwis!");
    BMITestIntroBtn = entry(155, "Ben ik te zwaar?");
    DisclaimerIntroBtn = entry(223, "Disclaimer");
    HintTextCtrl = new TScrollBox(IntroPage);
    HintTextCtrl->SetBounds(210, 28, 400, 340);
    HintTextCtrl->SetVertScrollIncrement(30);
    HintTextCtrl->SetHorzScrollBarVisible(false);
}

// The reading page: the left column's three pages, the picture of the right column, the topic display and
// the search gauge over it, and the two output buttons under the text.
void TMainForm::CreateMainPage() {
    NavPages = new TPageStack(MainPage);
    NavPages->SetBounds(0, 0, 219, 380);
    NavPages->SetAlign(TAlign::alLeft);
    ContentPage = &NavPages->AddPage("Content");
    SearchPage = &NavPages->AddPage("Search");
    HyperLinkPage = &NavPages->AddPage("HyperLink");
    Contents = std::make_unique<TContentsPane>(*this, *this, ContentPage);
    CrossReferences = std::make_unique<TCrossReferences>(*this, *this, HyperLinkPage);

    MainBk = new TBkControl(MainPage);
    MainBk->SetBounds(219, 0, 421, 380);
    MainBk->Background().Brush().SetStyle(TBrushStyle::bsClear);
    MainBk->Background().Pen().SetStyle(TPenStyle::psClear);
    Topic = std::make_unique<TTopicDisplay>(*this, *this, MainPage, ContentPage);
    Search = std::make_unique<TKeywordSearch>(*this, *this, SearchPage, MainPage);
    MainTextToClipBrdBtn = MakeButton(MainPage, Bounds(487, 362, 70, 18), "Klembord",
                                      "Huidige onderdeel naar het klembord kopieren", TFace::Drawn);
    MainTextPrintBtn = MakeButton(MainPage, Bounds(560, 362, 70, 18), "Afdrukken",
                                  "Huidige onderdeel afdrukken", TFace::Drawn);
    MainTextToClipBrdBtn->Hide();
    MainTextPrintBtn->Hide();
    CreateTextSizeButtons();

    NavPage1Bk = Contents->NavPage1Bk;
    ContentHeader = Contents->ContentHeader;
    ContentHeaderBk = Contents->ContentHeaderBk;
    ContentLst = Contents->ContentLst;
    BaseBtns = Contents->BaseBtns;
    MainTextHeaderLbl = Topic->MainTextHeaderLbl;
    MainTextHeaderBkLbl = Topic->MainTextHeaderBkLbl;
    MainTextCtrl = Topic->MainTextCtrl;
    MainInfoBtn = Topic->MainInfoBtn;
    ExtraInfoBtn = Topic->ExtraInfoBtn;
    RecipeBtn = Topic->RecipeBtn;
    GoToBtn = Topic->GoToBtn;
    GoToPnl = Topic->GoToPnl;
    GoToPnlBk = Topic->GoToPnlBk;
    GoToLst = Topic->GoToLst;
    NavPage2Bk = Search->NavPage2Bk;
    SearchHeader = Search->SearchHeader;
    SearchHeaderBk = Search->SearchHeaderBk;
    SearchEditLbl = Search->SearchEditLbl;
    SearchEdit = Search->SearchEdit;
    SearchEditExpLbl = Search->SearchEditExpLbl;
    QueryResultsLst = Search->QueryResultsLst;
    QueryResultsLstLbl = Search->QueryResultsLstLbl;
    SearchGauge = Search->SearchGauge;
    NavPage3Bk = CrossReferences->NavPage3Bk;
    HyperLinkHeader = CrossReferences->HyperLinkHeader;
    HyperLinkHeaderBk = CrossReferences->HyperLinkHeaderBk;
    HLQueryResultsLst1Lbl = CrossReferences->HLQueryResultsLst1Lbl;
    HLQueryResultsLst1 = CrossReferences->HLQueryResultsLst1;
    HLQueryResultsLst2Lbl = CrossReferences->HLQueryResultsLst2Lbl;
    HLQueryResultsLst2 = CrossReferences->HLQueryResultsLst2;
}

void TMainForm::CreateSelfTestPages() {
    Quiz = std::make_unique<TQuizPage>(*this, *this, QuizPage);
    QuizBk = Quiz->QuizBk;
    QuizHeader = Quiz->QuizHeader;
    QuizHeaderBk = Quiz->QuizHeaderBk;
    Bmi = std::make_unique<TBmiPage>(*this, *this, BMITestPage);
    BMITestBk = Bmi->BMITestBk;
    BMITestHeader = Bmi->BMITestHeader;
    BMITestHeaderBk = Bmi->BMITestHeaderBk;
}

std::vector<GTextControl*> TMainForm::Lists() const {
    return {ContentLst, QueryResultsLst, HLQueryResultsLst1, HLQueryResultsLst2, GoToLst};
}

// Every design colour of the window through the screen's nearest colour; on screens other than 8 bits per
// pixel each stays as it is.
void TMainForm::AdaptColors() {
    SetColor(NearestScreenColor(Color()));
    for (TLabel* label :
         {CaptionLbl, CaptionSubLbl, CaptionLblBk, ContentHeader, SearchHeader, HyperLinkHeader,
          MainTextHeaderLbl, QuizHeader, BMITestHeader, ContentHeaderBk, SearchHeaderBk, HyperLinkHeaderBk,
          MainTextHeaderBkLbl, QuizHeaderBk, BMITestHeaderBk})
        label->Font().SetColor(NearestScreenColor(label->Font().Color()));
    GoToLst->SetColor(NearestScreenColor(GoToLst->Color()));
    GoToPnlBk->Background().Brush().SetColor(Color());
    GoToPnlBk->Background().Pen().SetColor(Color());
    for (TBaseBtn* button :
         {GoToBtn, MainInfoBtn, ExtraInfoBtn, RecipeBtn, MainTextToClipBrdBtn, MainTextPrintBtn}) {
        button->Brush().SetColor(NearestScreenColor(button->Brush().Color()));
        button->Pen().SetColor(NearestScreenColor(button->Pen().Color()));
    }
}

} // namespace orvalis
