#include "app/intro_form.h"
#include "controls/bitmap_drawing.h"
#include "controls/bk_control.h"
#include "controls/gauge.h"
#include "controls/shared_palette.h"
#include "platform/bitmap.h"
#include "platform/label.h"
#include "platform/panel.h"
#include "platform/resources.h"
#include "platform/screen.h"

#include <memory>

namespace orvalis {

namespace {
constexpr int SplashSize = 282;

std::unique_ptr<TIntroForm>& SplashInstance() {
    static std::unique_ptr<TIntroForm> splash;
    return splash;
}

// Whether the splash counts as existing: from the end of its creation until its destruction begins.
TIntroForm* ExistingSplash = nullptr;

// The built-in splash picture for true-colour screens; none when the program holds no such picture.
void LoadBuiltInPicture(TPicture& picture) {
    LoadPictureResource("splash.png", picture);
}
} // namespace

TIntroForm::TIntroForm() {
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetCaption("Orvalis");
    SetColor(clWhite);
    SetBounds((Screen().Width() - SplashSize) / 2, (Screen().Height() - SplashSize) / 2, SplashSize,
              SplashSize);

    BackgroundPnl = new TPanel(this);
    BackgroundPnl->SetAlign(TAlign::alClient);
    BackgroundPnl->SetBevelOuter(TBevel::bvNone);

    IntroFormImg = new TBkControl(BackgroundPnl);
    IntroFormImg->SetAlign(TAlign::alClient);
    IntroFormImg->Background().SetImageDrawStyle(TImageDrawStyle::idsCenter);
    IntroFormImg->Background().Brush().SetStyle(TBrushStyle::bsClear);
    IntroFormImg->Background().Pen().SetWidth(2);
    LoadBuiltInPicture(IntroFormImg->Background().Image());

    Text = new TLabel(BackgroundPnl);
    Text->SetBounds(5, 255, 270, 12);
    Text->SetCaption("Een ogenblik geduld, bezig met laden...");
    Text->SetTransparent(true);
    TFont font = Text->Font();
    font.SetName("Arial");
    font.SetColor(clWhite);
    font.SetHeight(-9);
    Text->SetFont(font);

    Gauge = new TGauge(BackgroundPnl);
    Gauge->SetBounds(5, 270, 270, 4);
    Gauge->SetProgress(0);
    Gauge->SetBackColor(TColor::FromRgb(0xC5D3D6));
    Gauge->SetForeColor(clWhite);
    Gauge->SetBorderStyle(TBorderStyle::bsNone);
    Gauge->SetShowText(false);

    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    FormCreate();
}

TIntroForm::~TIntroForm() {
    FormDestroy();
}

const TPalette* TIntroForm::GetPalette() const {
    return SharedPalette();
}

// Screens below true colour show the picture from the palette bitmaps instead, when the program has them.
void TIntroForm::FormCreate() {
    const int bits = Screen().BitsPerPixel();
    if (bits < 24) {
        TBitmap bitmap;
        if (LoadPaletteBitmap({}, bits == 8 ? "Intro256" : "Intro", this, bitmap))
            IntroFormImg->Background().Image().SetGraphic(&bitmap);
    }
    ExistingSplash = this;
}

void TIntroForm::FormDestroy() {
    if (ExistingSplash == this)
        ExistingSplash = nullptr;
}

void TIntroForm::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = true;
}

TIntroForm* IntroForm() {
    return ExistingSplash;
}

void ShowIntroForm() {
    if (TIntroForm* splash = IntroForm()) {
        splash->ShowWindow();
        splash->BringToFront();
        return;
    }
    SplashInstance() = std::make_unique<TIntroForm>();
    Application().ProcessMessages();
    SplashInstance()->ShowWindow();
}

void FreeIntroForm() {
    SplashInstance().reset();
}

} // namespace orvalis
