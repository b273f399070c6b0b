#include "app/main_form.h"
#include "app/about_box.h"
#include "app/intro_form.h"
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
}

const TPalette* TMainForm::GetPalette() const {
    return SharedPalette();
}

GParserControl* TMainForm::CreateRenderer(TScrollBox* box) {
    auto* renderer = new GParserControl(box);
    renderer->SetBounds(0, 0, box->Width(), box->Height());
    renderer->SetAlign(TAlign::alTop);
    renderer->SetParentColor(true);
    renderer->SetParentFont(true);
    renderer->Background().Brush().SetStyle(TBrushStyle::bsClear);
    renderer->Background().Pen().SetStyle(TPenStyle::psClear);
    renderer->Background().SetImageDrawStyle(TImageDrawStyle::idsTopLeft);
    renderer->SetDrawFocused(false);
    TFont link = renderer->Font();
    link.SetStyle(TFontStyle::fsUnderline);
    renderer->HyperLinkFont().Assign(link);
    return renderer;
}

// The pictures under the texts line up with MainBk (which starts where NavPages ends) and with IntroBk.
void TMainForm::SetRendererOffsets() {
    MainText->SetdX(NavPages->Width() - MainTextCtrl->Left());
    MainText->SetdY(-MainTextCtrl->Top());
    HintText->SetdX(-HintTextCtrl->Left());
    HintText->SetdY(-HintTextCtrl->Top());
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

    std::error_code ignored;
    std::filesystem::current_path(NativePath(ProgramFolder()), ignored);

    AdaptColors();

    anImage.SetColorsForScreen(Screen().BitsPerPixel());

    MainText = CreateRenderer(MainTextCtrl);
    HintText = CreateRenderer(HintTextCtrl);
    Search->Corrections->Connect(CreateRenderer(Search->Corrections->CorrectionsCtrl));
    SetRendererOffsets();
    Contents->Connect(Topic.get());
    Topic->Connect(Contents.get(), SearchEdit, MainText);
    Search->Connect(Topic.get(), {HeaderBk, MainBk, BtnPnlBk, EntryIntroBtn});
    CrossReferences->Connect(Topic.get(), {HeaderBk, MainBk, BtnPnlBk, MainText, SearchEdit, SearchGauge});
    Topic->OnMainTextHyperLinkClick = [this](TObject* sender, std::string& target) {
        CrossReferences->MainTextHyperLinkClick(sender, target);
    };
    ClipboardCopy = std::make_unique<TClipboardCopy>(MainTextToClipBrdBtn, MainTextHeaderLbl, MainText);
    Quiz->Connect({MainPages, HeaderBk, BtnPnlBk, &QuizLines});
    Bmi->Connect({MainPages, HeaderBk, BtnPnlBk});
    TextPrinter =
        std::make_unique<TTextPrinter>(MainTextPrintBtn, MainTextHeaderLbl, MainText, MainTextCtrl, this);
    BindHandlers();

    QuizLines = std::make_unique<std::vector<std::string>>();

    for (TLabel* header : {ContentHeader, SearchHeader, HyperLinkHeader})
        header->Font().SetStyle(TFontStyle::fsBold);
    MainTextHeaderLbl->Font().SetSize(10);
    MainTextHeaderLbl->Font().SetStyle(TFontStyle::fsBold);

    const THourGlass hourGlass;
    ChooseVariantAndScale();
    PlaceOnScreen();
    SetRendererOffsets();

    NavFlags = 0;
    MainPages->SetActivePage("IntroPage");

    for (GParserControl* renderer : {MainText, HintText, Search->Corrections->CorrectionsText})
        renderer->HyperLinkFont().SetHeight(renderer->Font().Height());

    LoadBackground("i_t", HeaderBk->Background());
    LoadBackground("i", IntroBk->Background());
    HintText->Background().SetImage(IntroBk->Background().Image());

    RecFile = std::make_unique<TiDbRecFile>();
    TopicId = ExtraInfoOrdinal = RecipeOrdinal = 0;
    std::optional<TGaugeProgress> gauge;
    if (TIntroForm* splash = IntroForm())
        gauge.emplace(*splash->Gauge);
    // A missing or damaged database leaves what could be read; the program goes on with it.
    RecFile->LoadFromFile(NativePath(ProgramPath("D\\iDbRecs.dat")), gauge ? &*gauge : nullptr);
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
            target.Image().Assign(known->second.Picture);
            return;
        }
    }
    anImage.SetImageName("");
    if (FileExists(name))
        anImage.SetImageName(name);
    if (anImage.Picture().HasGraphic()) {
        target.Image().SetGraphic(anImage.Picture().Graphic());
        if (!error)
            FLoadedPictures[name] = {size, time, target.Image()};
    } else {
        target.Image().Clear();
        FLoadedPictures.erase(name);
    }
    anImage.SetImageName("");
}

void TMainForm::FormShow(TObject*) {
    FreeIntroForm();
    // The intro page shows no printing, and asking the system for its printers loads its print support,
    // the longest step of the start and 3 MB: the window asks once it is on the screen, at the first idle
    // moment, or earlier when the reader opens a page that can print before then.
    FPrinterCheckDeferred = true;
    ResetBtnClick(this);
    BtnMouseIn(DisclaimerIntroBtn);
    FPrinterCheckDeferred = false;
    Application().WhenIdle(this, [this] { PrinterInstalled(); });
    // The keyboard starts where reading starts, not at the header's first button (its frame shows only once
    // a key is pressed).
    FFocusedPage = MainPages->ActivePage();
    EntryIntroBtn->SetFocus();
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
    QuizLines.reset();
    RecFile.reset();
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
