// Paints a list of title lines over the navigation page picture (a selected, a hot and normal rows, the
// scroll bar) and skinned buttons in each state into pictures for a person to look at:
// list_visual_check.png and buttons_visual_check.png beside the test programs.
#include "controls/base_btn.h"
#include "controls/bk_control.h"
#include "controls/hand_cursors.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/icon.h"
#include "reading/title_lines.h"
#include "reading/title_row_drawing.h"

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>

namespace orvalis {
namespace {

std::string OutputPath(const char* name) {
    return QCoreApplication::applicationDirPath().toStdString() + "/" + name;
}

// The navigation page picture of the smallest screen variant, or a plain stand-in without a build.
TBitmap PagePicture() {
    TBitmap page;
    const char* dir = std::getenv("ORVALIS_PROGRAM_DIR");
    if (!dir || !page.LoadFromFile(std::string(dir) + "/I/B/m_l16x4"))
        page.SetSize(219, 380, TColor::FromRgb(0xEAD291));
    return page;
}

TColor PixelOf(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return {uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p))};
}

TEST(VisualCheck, TitleListOverThePagePicture) {
    TWinControl page;
    const TBitmap picture = PagePicture();
    page.SetBounds(0, 0, picture.Width(), picture.Height());
    auto* bk = new TBkControl(&page);
    bk->SetAlign(TAlign::alClient);
    bk->Background().Image().SetGraphic(&picture);
    bk->Background().Brush().SetStyle(TBrushStyle::bsClear);
    bk->Background().Pen().SetStyle(TPenStyle::psClear);
    auto* list = new GTextControl(&page);
    list->SetBounds(10, 40, 198, 194);
    list->SetColor(TColor::FromRgb(0xF0E2BD));
    ASSERT_TRUE(LoadScrollPictures(*list));
    list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        DrawTitleRow(*list, *bk, index, rect, state);
    };
    std::vector<std::string> lines;
    const char* titles[] = {"Zink",          "Acne",        "Zinkgebrek",
                            "ijzer",         "Hoofdpijn",   "Migraine",
                            "Aambeien",      "Verkoudheid", "Slapeloosheid",
                            "Maagklachten",  "Eczeem",      "Gewrichtspijn",
                            "Misselijkheid", "Griep",       "Brandend maagzuur",
                            "Vitamine C",    "Magnesium",   "\xC9\xE9n ei per dag?",
                            "Calcium",       "Obstipatie"};
    for (const char* t : titles)
        lines.push_back(std::to_string(lines.size() + 1) + "|" + t);
    SortTitleLines(lines, 0, static_cast<int>(lines.size()) - 1);
    list->SetItems(lines);
    list->SetTopIndex(2);
    list->SetItemIndex(4);
    list->MouseMove(0, 40, 5 * 16 + 8); // the sixth row on screen: line 7
    ASSERT_EQ(list->HotIndex(), 7);

    const QImage shot = page.Widget()->grab().toImage();
    ASSERT_EQ(shot.width(), picture.Width());
    // Between the rows' text the list shows the page picture itself.
    EXPECT_EQ(PixelOf(shot, 10 + 150, 40 + 2), picture.Pixel(10 + 150, 40 + 2));
    EXPECT_EQ(PixelOf(shot, 10 + 100, 40 + 190), picture.Pixel(10 + 100, 40 + 190));
    EXPECT_NE(PixelOf(shot, 10 + 190, 40 + 8), picture.Pixel(10 + 190, 40 + 8)) << "the scroll bar";
    EXPECT_TRUE(shot.save(QString::fromStdString(OutputPath("list_visual_check.png"))));
}

// Simple glyphs: a disc in the normal colour, a darker one pressed, grey when disabled.
TBitmap Glyph(TColor ground, TColor disc) {
    TBitmap glyph(20, 20, ground);
    TCanvas& c = glyph.Canvas();
    c.Pen().SetColor(TColor::FromRgb(0x3C5A5B));
    c.Brush().SetColor(disc);
    c.Ellipse({2, 2, 18, 18});
    return glyph;
}

// The two hand cursors at their size and four times as large.
class CursorSample : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    void Paint(TCanvas& canvas) override {
        int x = 0;
        for (TCursor c : {crHandCursor, crHandNoFingersCursor}) {
            const TIcon* image = CursorImage(c);
            if (!image)
                continue;
            canvas.Draw(x, 0, *image);
            canvas.StretchDraw(Bounds(x + 40, 0, 128, 128), *image);
            x += 190;
        }
    }
};

TEST(VisualCheck, ButtonsInEveryState) {
    RegisterHandCursors();
    TWinControl sheet;
    sheet.SetBounds(0, 0, 640, 300);
    auto* bk = new TBkControl(&sheet);
    bk->SetAlign(TAlign::alClient);
    const TBitmap picture = PagePicture();
    bk->Background().Image().SetGraphic(&picture);
    bk->Background().Brush().SetStyle(TBrushStyle::bsClear);
    bk->Background().Pen().SetStyle(TPenStyle::psClear);

    const TColor ground = TColor::FromRgb(0xB0C7C8);
    const TBitmap up = Glyph(ground, TColor::FromRgb(0x4F8FBF));
    const TBitmap down = Glyph(ground, TColor::FromRgb(0x1F4F7F));
    const TBitmap disabled = Glyph(ground, TColor::FromRgb(0xA0A0A0));
    struct State {
        const char* Caption;
        bool Hot, Down, Enabled;
    };
    const State states[] = {{"Normaal", false, false, true},
                            {"Hot", true, false, true},
                            {"Ingedrukt", false, true, true},
                            {"Uit", false, false, false},
                            {"Uit, omlaag", false, true, false}};
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 5; ++i) {
            auto* b = new TBaseBtn(&sheet);
            b->SetBounds(10 + i * 125, 20 + row * 70, 115, 40);
            b->SetCaption(states[i].Caption);
            b->SetCaptionXOffset(row == 0 ? 0.25 : 0.3);
            b->SetCaptionYOffset(0.22);
            b->SetCaptionXRound(6);
            b->SetCaptionYRound(6);
            b->SetFaceWidth(0.9);
            b->SetFaceHeight(0.8);
            b->SetShadowXOffset(0.03);
            b->SetShadowYOffset(0.1);
            b->SetShadowColor(TColor::FromRgb(0x7F9A9B));
            b->Brush().SetColor(ground);
            b->Pen().SetColor(TColor::FromRgb(0x9BB8B9));
            b->Font().SetHeight(-12);
            b->SetCaptionPenVisible(true);
            b->SetCaptionPenColor(clWhite);
            b->GlyphUp().SetGraphic(&up);
            b->GlyphDown().SetGraphic(&down);
            b->GlyphDisabled().SetGraphic(&disabled);
            b->SetGlyphXOffset(0.04);
            b->SetGlyphYOffset(0.1);
            b->SetFaceVisible(row == 0);
            b->SetButtonIsHot(states[i].Hot);
            b->SetButtonIsDown(states[i].Down);
            b->SetEnabled(states[i].Enabled);
        }
    }
    // The letter buttons of the contents page: no face, frames only.
    for (int i = 0; i < 9; ++i) {
        auto* b = new TBaseBtn(&sheet);
        b->SetBounds(10 + i * 24, 170, 22, 22);
        b->SetCaption(std::string(1, char('A' + i)));
        b->SetCaptionXOffset(0.3);
        b->SetCaptionYOffset(0.15);
        b->SetFaceVisible(false);
        b->SetShadowXOffset(0.05);
        b->SetShadowYOffset(0.05);
        b->Font().SetHeight(-12);
        b->SetButtonIsHot(i == 2);
        b->SetButtonIsDown(i == 4);
        b->SetEnabled(i != 6 && i != 7);
    }
    auto* cursors = new CursorSample(&sheet);
    cursors->SetBounds(250, 160, 380, 132);
    const QImage shot = sheet.Widget()->grab().toImage();
    EXPECT_EQ(PixelOf(shot, 250 + 40 + 11 * 4 + 1, 160 + 1 * 4 + 1), clBlack) << "the magnified fingertip";
    ASSERT_TRUE(shot.save(QString::fromStdString(OutputPath("buttons_visual_check.png"))));
}

} // namespace
} // namespace orvalis
