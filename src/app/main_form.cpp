#include "app/main_form.h"
#include "app/about_box.h"
#include "app/intro_form.h"
#include "app/page_pictures.h"
#include "app/screen_variant.h"
#include "controls/bk_control.h"
#include "controls/gauge.h"
#include "controls/gauge_progress.h"
#include "controls/shared_palette.h"
#include "platform/label.h"
#include "platform/page_stack.h"
#include "platform/panel.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "platform/single_instance.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

namespace orvalis {

namespace {
constexpr const char* ProgramCaption = "Orvalis 2.0 release 2";
} // namespace

TMainForm::TMainForm() {
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetFormStyle(TFormStyle::fsStayOnTop);
    CreateControls();
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    FormCreate();
}

TMainForm::~TMainForm() {
    Application().OnMinimize = nullptr;
    Application().OnRestore = nullptr;
    Application().OnMessageRound = nullptr;
}

const TPalette* TMainForm::GetPalette() const {
    return SharedPalette();
}

// The pictures under the texts line up with Topic->MainBk (which starts where NavPages ends) and with
// Intro->IntroBk.
void TMainForm::SetRendererOffsets() {
    Topic->MainText->SetdX(NavPages->Width() - Topic->MainTextCtrl->Left());
    Topic->MainText->SetdY(-Topic->MainTextCtrl->Top());
    Intro->HintText->SetdX(-Intro->HintTextCtrl->Left());
    Intro->HintText->SetdY(-Intro->HintTextCtrl->Top());
    // The offer of corrections lies on the search page, whose picture starts at the page's corner.
    const TControl* corrections = Search->Corrections->CorrectionsCtrl;
    Search->Corrections->CorrectionsText->SetdX(-corrections->Left());
    Search->Corrections->CorrectionsText->SetdY(-corrections->Top());
}

void TMainForm::ChooseVariantAndScale() {
    const std::optional<TVariantChoice> choice = ChooseScreenVariant(Screen().Width(), Screen().Height());
    if (!choice)
        throw EScreenTooSmall("the screen is smaller than 640x480");
    SetScreenVariant(choice->Variant);
    ScaleControls(*this, choice->Num, choice->Den);
    for (GTextControl* list : Lists())
        list->SetItemHeight(ScaleLength(list->ItemHeight(), choice->Num, choice->Den));
}

void TMainForm::PlaceOnScreen() {
    const TSize screen{Screen().Width(), Screen().Height()};
    const TPoint window = CenteredOrigin(screen, screen);
    SetBounds(window.X, window.Y, screen.cx, screen.cy);
    const TPoint panel = CenteredOrigin(screen, {MainFormPanel->Width(), MainFormPanel->Height()});
    MainFormPanel->SetBounds(panel.X, panel.Y, MainFormPanel->Width(), MainFormPanel->Height());
}

void TMainForm::FormCreate() {
    SetCaption(ProgramCaption);
    CaptionLbl->SetCaption(ProgramCaption);
    CaptionLblBk->SetCaption(ProgramCaption);
    Application().SetTitle("Orvalis");
    Application().OnMinimize = [this](TObject* sender) { FormMinimize(sender); };
    Application().OnRestore = [this](TObject* sender) { FormRestore(sender); };
    // A message round inside an action shows the page its steps have asked for so far.
    Application().OnMessageRound = [this](TObject*) { ApplyNotedStatus(); };

    std::error_code ignored;
    std::filesystem::current_path(NativePath(ProgramFolder()), ignored);

    AdaptColors();

    anImage.SetColorsForScreen(Screen().BitsPerPixel());

    Topic->CreateRenderer();
    Intro->CreateRenderer();
    Search->CreateRenderer();
    SetRendererOffsets();
    Contents->Connect(Topic.get());
    Topic->Connect(Contents.get());
    Search->Connect(Topic.get());
    CrossReferences->Connect(Topic.get(), Search.get());
    Topic->OnMainTextHyperLinkClick = [this](TObject* sender, std::string& target) {
        CrossReferences->MainTextHyperLinkClick(sender, target);
    };
    ClipboardCopy->Connect(Topic->MainTextHeaderLbl, Topic->MainText);
    TextPrinter->Connect(Topic->MainTextHeaderLbl, Topic->MainText, Topic->MainTextCtrl);
    Quiz->SetCursors();
    BindHandlers();

    const THourGlass hourGlass;
    ChooseVariantAndScale();
    PlaceOnScreen();
    SetRendererOffsets();

    State.NavFlags = 0;
    MainPages->SetActivePage("IntroPage");

    for (GParserControl* renderer : {Topic->MainText, Intro->HintText, Search->Corrections->CorrectionsText})
        renderer->HyperLinkFont().SetHeight(renderer->Font().Height());

    LoadPictures(TPictureRow::Start);

    State.RecFile = std::make_unique<TiDbRecFile>();
    State.TopicId = State.ExtraInfoOrdinal = State.RecipeOrdinal = 0;
    std::optional<TGaugeProgress> gauge;
    if (TIntroForm* splash = IntroForm())
        gauge.emplace(*splash->Gauge);
    // A missing or damaged database leaves what could be read; the program goes on with it.
    State.RecFile->LoadFromFile(NativePath(ProgramPath("D\\iDbRecs.dat")), gauge ? &*gauge : nullptr);
}

void TMainForm::LoadBackground(const std::string& stem, TBackground& target) {
    const std::string name = ProgramPath("I\\B\\" + stem + std::string(VariantSuffix(ScreenVariant())));
    // A picture file read before and unchanged since (same size and time) is not decoded again: every
    // entry into a page loads its pictures, and decoding them would be most of the page switch.
    std::error_code error;
    const std::filesystem::path file(NativePath(name));
    const auto size = std::filesystem::file_size(file, error);
    const auto time =
        error ? std::filesystem::file_time_type() : std::filesystem::last_write_time(file, error);
    if (!error) {
        const auto known = FLoadedPictures.find(name);
        if (known != FLoadedPictures.end() && known->second.Size == size && known->second.Time == time) {
            // An area that shows this picture already is left as it is, so that it is not painted anew.
            if (!Shows(target, name))
                Show(target, known->second.Picture, name);
            return;
        }
    }
    anImage.SetImageName("");
    if (FileExists(name))
        anImage.SetImageName(name);
    if (anImage.Picture().HasGraphic()) {
        Show(target, anImage.Picture(), error ? std::string() : name);
        if (!error)
            FLoadedPictures[name] = {size, time, target.Image()};
    } else {
        Show(target, TPicture(), std::string());
        FLoadedPictures.erase(name);
    }
    anImage.SetImageName("");
}

bool TMainForm::Shows(const TBackground& target, const std::string& name) const {
    const auto shown = FShownPictures.find(&target);
    return !name.empty() && shown != FShownPictures.end() && shown->second.Name == name &&
           shown->second.Graphic != nullptr && shown->second.Graphic == target.Image().Graphic();
}

void TMainForm::Show(TBackground& target, const TPicture& picture, const std::string& name) {
    if (picture.HasGraphic())
        target.Image().Assign(picture);
    else
        target.Image().Clear();
    FShownPictures[&target] = {name, target.Image().Graphic()};
}

void TMainForm::ShowUnderText(GCustomParserControl& text, const TBackground& page) {
    const auto shown = FShownPictures.find(&page);
    const std::string name = shown != FShownPictures.end() ? shown->second.Name : std::string();
    if (!Shows(text.Background(), name))
        Show(text.Background(), page.Image(), name);
}

void TMainForm::LoadPictures(TPictureRow row) {
    const TPagePictures& pictures = PicturesOf(row);
    TBkControl* page = nullptr;
    GCustomParserControl* text = nullptr;
    TBkControl* leftColumn = nullptr;
    switch (row) {
    case TPictureRow::Start:
        page = Intro->IntroBk;
        text = Intro->HintText;
        break;
    case TPictureRow::MainMenu:
        break;
    case TPictureRow::Reading:
    case TPictureRow::Search:
    case TPictureRow::HyperLink:
        page = Topic->MainBk;
        text = Topic->MainText;
        leftColumn = row == TPictureRow::Reading  ? Contents->NavPage1Bk
                     : row == TPictureRow::Search ? Search->NavPage2Bk
                                                  : CrossReferences->NavPage3Bk;
        break;
    case TPictureRow::Quiz:
        page = Quiz->QuizBk;
        break;
    case TPictureRow::BMITest:
        page = Bmi->BMITestBk;
        break;
    }
    if (pictures.Header)
        LoadBackground(pictures.Header, HeaderBk->Background());
    if (pictures.Page && page) {
        LoadBackground(pictures.Page, page->Background());
        if (pictures.UnderText && text)
            ShowUnderText(*text, page->Background());
    }
    if (pictures.ButtonStrip)
        LoadBackground(pictures.ButtonStrip, BtnPnlBk->Background());
    if (pictures.LeftColumn && leftColumn && !leftColumn->Background().Image().HasGraphic())
        LoadBackground(pictures.LeftColumn, leftColumn->Background());
}

void TMainForm::OpenSelfTestPage(TSelfTestPage page) {
    const bool quiz = page == TSelfTestPage::Quiz;
    LoadPictures(quiz ? TPictureRow::Quiz : TPictureRow::BMITest);
    MainPages->SetActivePage(quiz ? "QuizPage" : "BMITestPage");
    State.NavFlags = 0;
}

void TMainForm::FormShow(TObject*) {
    FreeIntroForm();
    // The intro page shows no printing, and asking the system for its printers loads its print support,
    // the longest step of the start and 3 MB: the window asks once it is on the screen, at the first idle
    // moment, or earlier when the reader opens a page that can print before then.
    FPrinterCheckDeferred = true;
    ResetBtnClick(this);
    BtnMouseIn(Intro->DisclaimerIntroBtn);
    FPrinterCheckDeferred = false;
    Application().WhenIdle(this, [this] { PrinterInstalled(); });
    // The keyboard starts where reading starts, not at the header's first button (its frame shows only once
    // a key is pressed).
    FFocusedPage = MainPages->ActivePage();
    Intro->EntryIntroBtn->SetFocus();
    // The keys go to the window the reader started, also where no window manager hands it the focus.
    BringToFront();
}

void TMainForm::FormMinimize(TObject*) {
    Application().Minimize();
}

void TMainForm::FormRestore(TObject*) {
    Application().Restore();
    ShowWindow();
    SetWindowState(TWindowState::wsMaximized);
    BringToFront();
}

void TMainForm::WMShowInstance() {
    if (WindowState() == TWindowState::wsMinimized)
        Application().Restore();
    Application().BringToFront();
}

void TMainForm::FormCloseQuery(TObject*, bool& CanClose) {
    // A start during the farewell becomes the first copy instead of showing this closing one.
    ResignFirstCopy();
    Quiz->QuizLines.reset();
    State.RecFile.reset();
    CancelMode();
    HideWindow();
    Application().ProcessMessages();
    ShowAboutBox();
    Application().ProcessMessages();
    // Nothing is painted during the pause, so the farewell is painted on the screen before it.
    if (TAboutBox* box = AboutBox())
        box->PaintOnScreen();
    if (OnFarewellPause)
        OnFarewellPause(this);
    std::this_thread::sleep_for(FarewellPause);
    if (TAboutBox* box = AboutBox())
        box->Close();
    CanClose = true;
}

} // namespace orvalis
