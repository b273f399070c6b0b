#include "app/about_box.h"
#include "app/main_form.h"
#include "app/web_page.h"
#include "controls/base_btn.h"
#include "controls/bitmap_drawing.h"
#include "controls/hand_cursors.h"
#include "controls/proportional_image.h"
#include "controls/shared_palette.h"
#include "platform/bitmap.h"
#include "platform/edit.h"
#include "platform/panel.h"
#include "platform/resources.h"
#include "platform/screen.h"

#include <memory>

namespace orvalis {

namespace {
constexpr int BoxSize = 329;
constexpr int PictureSize = 325;
// The installation's customer number for the online help; the installation data of this system holds
// none.
constexpr const char* CustomerNumber = "";

std::unique_ptr<TAboutBox>& AboutBoxInstance() {
    static std::unique_ptr<TAboutBox> box;
    return box;
}

// Whether the about box counts as existing: from the end of its creation until its destruction begins.
TAboutBox* GExistingAboutBox = nullptr;

TBaseBtn* MakeLinkArea(TWinControl* parent, TRect bounds, const std::string& hint) {
    auto* button = new TBaseBtn(parent);
    button->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    button->SetFaceVisible(false);
    button->Pen().SetStyle(TPenStyle::psClear);
    button->SetShadowColor(clGray);
    button->SetCursor(crHandCursor);
    button->SetHint(hint);
    button->SetShowHint(true);
    return button;
}
} // namespace

TAboutBox::TAboutBox() {
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetFormStyle(TFormStyle::fsStayOnTop);
    SetCaption("Orvalis");
    SetColor(clWhite);
    TFont font = Font();
    font.SetName("Arial");
    font.SetHeight(-11);
    SetFont(font);
    SetBounds((Screen().Width() - BoxSize) / 2, (Screen().Height() - BoxSize) / 2, BoxSize, BoxSize);

    // The black panel shows as a 2-pixel frame around the picture.
    BkPanel = new TPanel(this);
    BkPanel->SetAlign(TAlign::alClient);
    BkPanel->SetBevelOuter(TBevel::bvNone);
    BkPanel->SetColor(clBlack);

    AboutBoxImage = new TProportionalImage(BkPanel);
    AboutBoxImage->SetBounds(2, 2, PictureSize, PictureSize);
    AboutBoxImage->Background().Brush().SetColor(TColor::FromRgb(0x8CB19C));
    AboutBoxImage->Background().SetImageDrawStyle(TImageDrawStyle::idsAlongside);
    AboutBoxImage->SetEffects(false);
    AboutBoxImage->SetEffect(EffectStyle::esRandom);
    AboutBoxImage->SetEffectSize(1);
    AboutBoxImage->SetEffectSpeed(1);
    AboutBoxImage->SetSx(100);
    AboutBoxImage->SetSy(100);
    AboutBoxImage->SetRasterOperation(TRasterOperation::roSRCCOPY);
    TFont imageFont = AboutBoxImage->Font();
    imageFont.SetName("Arial");
    imageFont.SetHeight(-20);
    imageFont.SetStyle(TFontStyle::fsBold);
    imageFont.SetColor(clWhite);
    AboutBoxImage->SetFont(imageFont);
    LoadPictureResource("about.png", AboutBoxImage->Image());

    VeldhavenSBtn =
        MakeLinkArea(BkPanel, Bounds(211, 207, 78, 95), "Ga naar de website van uitgeverij Veldhaven");
    BrantwellSBtn =
        MakeLinkArea(BkPanel, Bounds(40, 267, 130, 40), "Ga naar de website van Brantwell Software");
    VeldhavenSBtn->OnClick = [this](TObject* sender) { VeldhavenSBtnClick(sender); };
    BrantwellSBtn->OnClick = [this](TObject* sender) { BrantwellSBtnClick(sender); };

    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnDeactivate = [this](TObject* sender) { FormDeactivate(sender); };
    OnKeyUp = [this](TObject* sender, int& key, TShiftState shift) { FormKeyUp(sender, key, shift); };
    FormCreate();
}

TAboutBox::~TAboutBox() {
    FormDestroy();
}

const TPalette* TAboutBox::GetPalette() const {
    return SharedPalette();
}

// Screens below true colour show the picture from the palette bitmaps instead, when the program has them.
void TAboutBox::FormCreate() {
    const int bits = Screen().BitsPerPixel();
    if (bits < 24) {
        TBitmap bitmap;
        if (LoadPaletteBitmap({}, bits == 8 ? "About256" : "About", this, bitmap))
            AboutBoxImage->Image().SetGraphic(&bitmap);
    }
    GExistingAboutBox = this;
}

void TAboutBox::FormDestroy() {
    if (GExistingAboutBox == this)
        GExistingAboutBox = nullptr;
}

void TAboutBox::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = true;
}

void TAboutBox::FormDeactivate(TObject*) {
    Close();
}

void TAboutBox::FormKeyUp(TObject*, int& Key, TShiftState Shift) {
    if ((Key == vkReturn || Key == vkEscape) && Shift == 0)
        Close();
}

void TAboutBox::VeldhavenSBtnClick(TObject*) {
    FollowLink(PublisherWebAddress);
}

void TAboutBox::BrantwellSBtnClick(TObject*) {
    FollowLink(MakerWebAddress);
}

void TAboutBox::FollowLink(const char* address) {
    OpenWebPage(address);
    Close();
    Application().Minimize();
}

TAboutBox* AboutBox() {
    return GExistingAboutBox;
}

void ShowAboutBox() {
    if (!AboutBox())
        AboutBoxInstance() = std::make_unique<TAboutBox>();
    AboutBox()->ShowWindow();
    AboutBox()->BringToFront();
}

void FreeAboutBox() {
    AboutBoxInstance().reset();
}

// The header's "i" and "?" buttons of the main window.
void TMainForm::InfoBtnClick(TObject*) {
    ShowAboutBox();
}

void TMainForm::HelpBtnClick(TObject*) {
    OpenWebPage(OnlineHelpAddress(CustomerNumber));
    Application().Minimize();
}

} // namespace orvalis
