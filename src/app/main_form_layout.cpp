// The main window's design at 640x480: every control with its position, size, colours and fonts. The
// start-up scales the whole tree afterwards for the larger layouts.
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "controls/bk_control.h"
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

constexpr TColor WindowColor = TColor::FromRgb(0xEAD291);
constexpr TColor TitleColor = TColor::FromRgb(0x6D3A0D);
constexpr TColor TitleShadowColor = TColor::FromRgb(0xA99D60);
constexpr TColor HeaderColor = TColor::FromRgb(0xE6490E);
constexpr TColor HeaderShadowColor = TColor::FromRgb(0x857001);
constexpr TColor FaceBrushColor = TColor::FromRgb(0xF8E4B2);
constexpr TColor FacePenColor = TColor::FromRgb(0xEAD291);
constexpr TColor HistoryColor = TColor::FromRgb(0xF0E2BD);

struct TTextLook {
    const char* FontName = "Arial";
    int Height = 11; // pixels, without internal leading
    TFontStyles Style;
    TColor Color = clBlack;
    TAlignment Alignment = TAlignment::taLeftJustify;
};

TLabel* MakeLabel(TWinControl* parent, TRect bounds, const std::string& caption, const TTextLook& look) {
    auto* label = new TLabel(parent);
    label->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    label->SetCaption(caption);
    label->SetTransparent(true);
    label->SetAlignment(look.Alignment);
    TFont font = label->Font();
    font.SetName(look.FontName);
    font.SetHeight(-look.Height);
    font.SetStyle(look.Style);
    font.SetColor(look.Color);
    label->SetFont(font);
    return label;
}

// A title and its shadow one pixel right and below, in Tahoma bold 13 pixels; the shadow is drawn first.
void MakeHeaderPair(TWinControl* parent, int width, const std::string& caption, TLabel*& header,
                    TLabel*& shadow, int left = 15, int top = 0) {
    TTextLook look{"Tahoma", 13, TFontStyle::fsBold, HeaderShadowColor};
    shadow = MakeLabel(parent, Bounds(left + 1, top + 1, width, 22), caption, look);
    look.Color = HeaderColor;
    header = MakeLabel(parent, Bounds(left, top, width, 22), caption, look);
}

// A picture area filling its parent: the picture alone, no frame, no fill.
TBkControl* MakeBackground(TWinControl* parent) {
    auto* bk = new TBkControl(parent);
    bk->SetAlign(TAlign::alClient);
    bk->Background().Brush().SetStyle(TBrushStyle::bsClear);
    bk->Background().Pen().SetStyle(TPenStyle::psClear);
    return bk;
}

enum class TFace { None, Drawn };

// A button whose caption is centred by fractions of its size, so that it stays centred in every layout.
// Buttons with a face carry the design's face (brush, pen of width 2) over a white shadow one step right
// and down; the others draw only their caption (and their 3-D frames under the mouse).
TBaseBtn* MakeButton(TWinControl* parent, TRect bounds, const std::string& caption, const std::string& hint,
                     TFace face) {
    auto* button = new TBaseBtn(parent);
    button->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    button->SetCaption(caption);
    button->SetHint(hint);
    button->SetShowHint(!hint.empty());
    const double w = std::max(1, bounds.Width()), h = std::max(1, bounds.Height());
    button->SetFaceVisible(face == TFace::Drawn);
    if (face == TFace::Drawn) {
        button->Brush().SetColor(FaceBrushColor);
        button->Pen().SetColor(FacePenColor);
        button->Pen().SetWidth(2);
        button->SetShadowColor(clWhite);
        button->SetFaceXOffset(0);
        button->SetFaceYOffset(0);
        button->SetFaceWidth((w - 2) / w);
        button->SetFaceHeight((h - 2) / h);
        button->SetShadowXOffset(2 / w);
        button->SetShadowYOffset(2 / h);
        button->SetCaptionXRound(8);
        button->SetCaptionYRound(8);
    }
    if (!caption.empty()) {
        const std::unique_ptr<TCanvas> canvas = CreateMeasureCanvas();
        canvas->Font() = button->Font();
        const TSize text = canvas->TextExtent(caption);
        const double faceWidth = face == TFace::Drawn ? w - 2 : w;
        const double faceHeight = face == TFace::Drawn ? h - 2 : h;
        button->SetCaptionXOffset(std::max(0.0, (faceWidth - text.cx) / 2) / w);
        button->SetCaptionYOffset(std::max(0.0, (faceHeight - text.cy) / 2) / h);
    }
    return button;
}

GTextControl* MakeList(TWinControl* parent, TRect bounds) {
    auto* list = new GTextControl(parent);
    list->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    list->SetItemHeight(16);
    list->SetCursor(crHandCursor);
    LoadScrollPictures(*list);
    return list;
}

TPanel* MakePanel(TWinControl* parent, TAlign align, int width, int height) {
    auto* panel = new TPanel(parent);
    panel->SetBounds(0, 0, width, height);
    panel->SetAlign(align);
    return panel;
}

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
}

void TMainForm::CreateMainPage() {
    NavPages = new TPageStack(MainPage);
    NavPages->SetBounds(0, 0, 219, 380);
    NavPages->SetAlign(TAlign::alLeft);
    CreateNavPages();

    MainBk = new TBkControl(MainPage);
    MainBk->SetBounds(219, 0, 421, 380);
    MainBk->Background().Brush().SetStyle(TBrushStyle::bsClear);
    MainBk->Background().Pen().SetStyle(TPenStyle::psClear);
    MakeHeaderPair(MainPage, 400, "", MainTextHeaderLbl, MainTextHeaderBkLbl, 230, 0);
    MainTextCtrl = new TScrollBox(MainPage);
    MainTextCtrl->SetBounds(230, 28, 400, 310);
    MainTextCtrl->SetVertScrollIncrement(27);
    SearchGauge = new TGauge(MainPage);
    SearchGauge->SetBounds(230, 350, 400, 5);
    SearchGauge->Hide();

    const auto textButton = [this](int left, int width, const char* caption) {
        return MakeButton(MainPage, Bounds(left, 362, width, 18), caption, "", TFace::Drawn);
    };
    MainInfoBtn = textButton(230, 85, "Informatie");
    ExtraInfoBtn = textButton(315, 85, "Extra informatie");
    RecipeBtn = textButton(400, 85, "Recept");
    MainTextToClipBrdBtn = textButton(487, 70, "Klembord");
    MainTextPrintBtn = textButton(560, 70, "Afdrukken");
}

// The list of the contents page, the history button and the history panel have no design position in
// the window's description yet; they sit where the contents list and its buttons go.
void TMainForm::CreateNavPages() {
    ContentPage = &NavPages->AddPage("Content");
    SearchPage = &NavPages->AddPage("Search");
    HyperLinkPage = &NavPages->AddPage("HyperLink");

    NavPage1Bk = MakeBackground(ContentPage);
    MakeHeaderPair(ContentPage, 198, "Inhoud", ContentHeader, ContentHeaderBk);
    ContentLst = MakeList(ContentPage, Bounds(15, 28, 198, 240));
    GoToBtn = MakeButton(ContentPage, Bounds(128, 352, 85, 18), "Historie", "", TFace::Drawn);
    GoToBtn->Hide();
    GoToPnl = new TPanel(ContentPage);
    GoToPnl->SetBounds(15, 28, 198, 240);
    GoToPnl->Hide();
    GoToPnlBk = MakeBackground(GoToPnl);
    GoToPnlBk->Background().Brush().SetStyle(TBrushStyle::bsSolid);
    GoToPnlBk->Background().Pen().SetStyle(TPenStyle::psSolid);
    GoToPnlBk->Background().Brush().SetColor(WindowColor);
    GoToPnlBk->Background().Pen().SetColor(WindowColor);
    GoToLst = MakeList(GoToPnl, Bounds(0, 0, 198, 240));
    GoToLst->SetColor(HistoryColor);

    NavPage2Bk = MakeBackground(SearchPage);
    MakeHeaderPair(SearchPage, 198, "Zoeken", SearchHeader, SearchHeaderBk);
    SearchEditLbl = MakeLabel(SearchPage, Bounds(15, 28, 198, 14), "Trefwoorden:", {});
    SearchEdit = new TEdit(SearchPage);
    SearchEdit->SetBounds(15, 43, 198, 18);
    SearchEdit->SetColor(clWhite);
    SearchEditExpLbl =
        MakeLabel(SearchPage, Bounds(15, 68, 198, 60),
                  "Vul hierboven \xE9\xE9n of meerdere trefwoorden in en druk op Enter om het zoeken "
                  "te starten. Het resultaat wordt in onderstaande lijst geplaatst.",
                  {});
    SearchEditExpLbl->SetWordWrap(true);
    QueryResultsLst = MakeList(SearchPage, Bounds(15, 133, 198, 194));
    QueryResultsLstLbl = MakeLabel(SearchPage, Bounds(15, 327, 198, 30), "Gevonden onder",
                                   {"Arial", 11, {}, clBlack, TAlignment::taCenter});
    QueryResultsLstLbl->SetWordWrap(true);

    NavPage3Bk = MakeBackground(HyperLinkPage);
    MakeHeaderPair(HyperLinkPage, 198, "Verwijzingen", HyperLinkHeader, HyperLinkHeaderBk);
    const TTextLook bold{"Arial", 11, TFontStyle::fsBold};
    HLQueryResultsLst1Lbl =
        MakeLabel(HyperLinkPage, Bounds(15, 28, 198, 25), "Verwijzingen binnen Orvalis", bold);
    HLQueryResultsLst1Lbl->SetWordWrap(true);
    HLQueryResultsLst1 = MakeList(HyperLinkPage, Bounds(15, 58, 198, 130));
    HLQueryResultsLst2Lbl =
        MakeLabel(HyperLinkPage, Bounds(15, 193, 198, 25), "Verwijzingen in het Quorindex", bold);
    HLQueryResultsLst2Lbl->SetWordWrap(true);
    HLQueryResultsLst2 = MakeList(HyperLinkPage, Bounds(15, 223, 198, 130));
}

void TMainForm::CreateSelfTestPages() {
    QuizBk = MakeBackground(QuizPage);
    MakeHeaderPair(QuizPage, 610, "Orvakwis", QuizHeader, QuizHeaderBk);
    BMITestBk = MakeBackground(BMITestPage);
    MakeHeaderPair(BMITestPage, 610, "Body Mass Index (BMI) Test", BMITestHeader, BMITestHeaderBk);
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
