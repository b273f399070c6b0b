#include "controls/design_controls.h"
#include "controls/bk_control.h"
#include "controls/hand_cursors.h"
#include "controls/parser_control.h"
#include "controls/shared_palette.h"
#include "platform/canvas.h"
#include "platform/measure_canvas.h"
#include "platform/panel.h"
#include "platform/scroll_box.h"

#include <algorithm>
#include <memory>

namespace orvalis {

namespace {
constexpr TColor HeaderColor = TColor::FromRgb(0xE6490E);
constexpr TColor HeaderShadowColor = TColor::FromRgb(0x857001);
} // namespace

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

void MakeHeaderPair(TWinControl* parent, int width, const std::string& caption, TLabel*& header,
                    TLabel*& shadow, int left, int top) {
    TTextLook look{"Tahoma", 13, TFontStyle::fsBold, HeaderShadowColor};
    shadow = MakeLabel(parent, Bounds(left + 1, top + 1, width, 22), caption, look);
    shadow->SetDecorative(true);
    look.Color = HeaderColor;
    header = MakeLabel(parent, Bounds(left, top, width, 22), caption, look);
}

TBkControl* MakeBackground(TWinControl* parent) {
    auto* bk = new TBkControl(parent);
    bk->SetAlign(TAlign::alClient);
    bk->Background().Brush().SetStyle(TBrushStyle::bsClear);
    bk->Background().Pen().SetStyle(TPenStyle::psClear);
    return bk;
}

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

GParserControl* MakeRenderer(TScrollBox* box) {
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

void AdaptToScreen(TLabel& label) {
    label.Font().SetColor(NearestScreenColor(label.Font().Color()));
}

void AdaptToScreen(TBaseBtn& button) {
    button.Brush().SetColor(NearestScreenColor(button.Brush().Color()));
    button.Pen().SetColor(NearestScreenColor(button.Pen().Color()));
}

} // namespace orvalis
