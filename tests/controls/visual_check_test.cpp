// Pictures for a person to look at, beside the test programs: backgrounds and gauges, and a topic of the
// book at the three layout widths.
#include "content/idb_rec_file.h"
#include "controls/bk_control.h"
#include "controls/gauge.h"
#include "controls/parser_control.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/paths.h"
#include "platform/scroll_box.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstdlib>

namespace orvalis {
namespace {

TBitmap Tile() {
    TBitmap tile(24, 16, TColor::FromRgb(0xF4E6C8));
    TCanvas& c = tile.Canvas();
    c.Pen().SetColor(TColor::FromRgb(0x8A5A2B));
    c.Brush().SetColor(TColor::FromRgb(0x4F8FBF));
    c.Ellipse({2, 2, 14, 14});
    c.Brush().SetColor(TColor::FromRgb(0xC04040));
    c.Rectangle(14, 4, 22, 12);
    return tile;
}

void Place(TBitmap& sheet, TControl& control, int x, int y) {
    TBitmap cell(control.Width(), control.Height(), TColor::FromRgb(0xFF00FF));
    control.Paint(cell.Canvas());
    sheet.Canvas().CopyRect(Bounds(x, y, cell.Width(), cell.Height()), cell,
                            {0, 0, cell.Width(), cell.Height()}, TCopyMode::cmSrcCopy);
}

TEST(VisualCheck, BackgroundsAndGauges_PaintIntoOnePicture) {
    TBitmap sheet(660, 230, TColor::FromRgb(0xDDDDDD));
    const TBitmap tile = Tile();
    const TImageDrawStyle styles[] = {TImageDrawStyle::idsAlongside, TImageDrawStyle::idsCenter,
                                      TImageDrawStyle::idsHide, TImageDrawStyle::idsStretch,
                                      TImageDrawStyle::idsTopLeft};
    for (int i = 0; i < 5; ++i) {
        TBkControl bk;
        bk.SetBounds(0, 0, 120, 80);
        bk.Background().Image().SetGraphic(&tile);
        bk.Background().SetImageDrawStyle(styles[i]);
        bk.Background().Brush().SetStyle(TBrushStyle::bsClear);
        bk.Background().Pen().SetColor(TColor::FromRgb(0x202020));
        Place(sheet, bk, 10 + i * 130, 10);
    }
    struct Look {
        TGaugeKind Kind;
        int W, H, Progress;
        TBorderStyle Border;
    };
    const Look looks[] = {{TGaugeKind::gkText, 120, 24, 35, TBorderStyle::bsSingle},
                          {TGaugeKind::gkHorizontalBar, 120, 24, 60, TBorderStyle::bsSingle},
                          {TGaugeKind::gkVerticalBar, 40, 120, 70, TBorderStyle::bsSingle},
                          {TGaugeKind::gkPie, 120, 120, 30, TBorderStyle::bsNone},
                          {TGaugeKind::gkNeedle, 120, 70, 45, TBorderStyle::bsSingle}};
    for (int i = 0; i < 5; ++i) {
        TGauge g;
        g.SetBounds(0, 0, looks[i].W, looks[i].H);
        g.SetKind(looks[i].Kind);
        g.SetBorderStyle(looks[i].Border);
        g.SetForeColor(TColor::FromRgb(0x1F5FAF));
        g.SetBackColor(TColor::FromRgb(0xC5D3D6));
        g.SetColor(TColor::FromRgb(0xF0F0F0));
        g.Font().SetHeight(-14);
        g.SetProgress(looks[i].Progress);
        Place(sheet, g, 10 + i * 130, 100);
    }
    // The splash window's gauge: 4 pixels high, white on #C5D3D6, no border, no text.
    TGauge splash;
    splash.SetBounds(0, 0, 270, 4);
    splash.SetBorderStyle(TBorderStyle::bsNone);
    splash.SetShowText(false);
    splash.SetForeColor(clWhite);
    splash.SetBackColor(TColor::FromRgb(0xC5D3D6));
    splash.SetProgress(40);
    Place(sheet, splash, 10, 222);

    EXPECT_EQ(sheet.Pixel(10 + 130 * 2 + 60, 50), TColor::FromRgb(0xFF00FF)) << "hidden picture, clear brush";
    EXPECT_EQ(sheet.Pixel(10 + 130 * 2, 50), TColor::FromRgb(0x202020)) << "the pen's outline";
    EXPECT_EQ(sheet.Pixel(10, 222), clWhite);
    EXPECT_EQ(sheet.Pixel(10 + 200, 223), TColor::FromRgb(0xC5D3D6));
    const std::string path =
        QCoreApplication::applicationDirPath().toStdString() + "/controls_visual_check.png";
    EXPECT_TRUE(sheet.SaveToFile(path));
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

// A topic of the bundled book as the reader shows it at the text width of each layout (400, 500 and 640
// pixels, the window font Arial 11 pixels scaled), over the window colour: parser_visual_check_W.png
// beside the test programs.
TEST(VisualCheck, BundledTopic_PaintsAtTheThreeLayoutWidths) {
    const char* folder = std::getenv("ORVALIS_PROGRAM_DIR");
    if (folder == nullptr)
        GTEST_SKIP() << "no program folder";
    TiDbRecFile book;
    ASSERT_TRUE(book.LoadFromFile(std::string(folder) + "/D/iDbRecs.dat", nullptr));
    std::string text;
    for (int32_t i = 1; i <= book.RecordCount() && text.empty(); ++i) {
        const TiDbRec record = book.Record(i);
        if (std::string_view(record.Path, record.PathLen) == "1|Bloedarmoede")
            text.assign(record.Text, record.TextLen);
    }
    ASSERT_FALSE(text.empty());
    SetProgramFolder(folder);
    const struct {
        int Width, Height, FontPixels;
    } layouts[] = {{400, 310, 11}, {500, 388, 14}, {640, 496, 18}};
    for (const auto& l : layouts) {
        TScrollBox box;
        box.SetBounds(0, 0, l.Width, l.Height);
        box.SetColor(TColor::FromRgb(0xEAD291));
        box.Font().SetName("Arial");
        box.Font().SetHeight(-l.FontPixels);
        auto* view = new GParserControl(&box);
        view->SetParentFont(true);
        view->SetBounds(0, 0, l.Width, 0);
        view->Background().Brush().SetStyle(TBrushStyle::bsClear);
        view->Background().Pen().SetStyle(TPenStyle::psClear);
        view->SetDrawFocused(false);
        TFont linkFont = view->Font();
        linkFont.SetStyle(TFontStyle::fsUnderline);
        view->SetHyperLinkFont(linkFont);
        view->SetText(text);
        EXPECT_GT(view->HyperLinks().Count(), 3);
        EXPECT_GT(view->Height(), l.Height); // the topic is longer than the box
        TBitmap page(view->Width(), view->Height(), TColor::FromRgb(0xEAD291));
        view->Paint(page.Canvas());
        page.SaveToFile(QCoreApplication::applicationDirPath().toStdString() + "/parser_visual_check_" +
                        std::to_string(l.Width) + ".png");
    }
    SetProgramFolder("");
}

} // namespace
} // namespace orvalis
