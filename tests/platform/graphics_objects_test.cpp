#include "platform/bitmap.h"
#include "platform/brush.h"
#include "platform/font.h"
#include "platform/palette.h"
#include "platform/pen.h"
#include "platform/picture.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(GraphicsObjects, Setters_RaiseOnChangeOnlyOnARealChange) {
    int changes = 0;
    auto count = [&](TObject*) { ++changes; };
    TPen pen;
    pen.OnChange = count;
    pen.SetColor(clBlack);
    pen.SetWidth(1);
    pen.SetStyle(TPenStyle::psSolid);
    pen = TPen();
    EXPECT_EQ(changes, 0);
    pen.SetColor(clRed);
    pen = TPen(clRed, 2);
    EXPECT_EQ(changes, 2);

    TBrush brush;
    brush.OnChange = count;
    brush.SetStyle(TBrushStyle::bsClear);
    brush.SetColor(clWhite);
    EXPECT_EQ(brush.Style(), TBrushStyle::bsSolid) << "a colour makes a clear brush solid";
    EXPECT_EQ(changes, 4);

    TFont font;
    font.OnChange = count;
    font.SetName("Arial");
    font.SetStyle(TFontStyles());
    EXPECT_EQ(changes, 4);
    font.SetStyle(TFontStyle::fsBold | TFontStyle::fsUnderline);
    EXPECT_EQ(changes, 5);
}

TEST(GraphicsObjects, Copy_TakesTheValueButNotTheOwnersHandler) {
    int changes = 0;
    TFont a;
    a.OnChange = [&](TObject*) { ++changes; };
    TFont b(a);
    b.SetColor(clRed);
    EXPECT_EQ(changes, 0);
    a = b;
    EXPECT_EQ(a.Color(), clRed);
    EXPECT_EQ(changes, 1);
}

TEST(Font, SizeAndHeight_ConvertThroughPixelsPerInch) {
    TFont f;
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    f.SetPixelsPerInch(120);
    EXPECT_EQ(f.Size(), 8) << "the same pixels are fewer points at a higher resolution";
    f.SetSize(14);
    EXPECT_EQ(f.Height(), -23);
    EXPECT_EQ(f.PixelSize(), 23);
}

TEST(FontStyles, SetOperations) {
    const TFontStyles s = TFontStyles().With(TFontStyle::fsItalic).Set(TFontStyle::fsBold, true);
    EXPECT_TRUE(s.Has(TFontStyle::fsBold));
    EXPECT_TRUE(s.Has(TFontStyle::fsItalic));
    EXPECT_FALSE(s.Has(TFontStyle::fsUnderline));
    EXPECT_EQ(s.Without(TFontStyle::fsBold).Set(TFontStyle::fsItalic, false), TFontStyles());
}

TEST(Palette, NearestIndex_PicksTheClosestAndTheLowestAmongEquals) {
    const TPalette p({clBlack, clWhite, TColor::FromRgb(0x808080), TColor::FromRgb(0x808080)});
    EXPECT_EQ(p.NearestIndex(TColor::FromRgb(0x101010)), 0u);
    EXPECT_EQ(p.NearestIndex(TColor::FromRgb(0x707A80)), 2u);
    EXPECT_EQ(p.NearestColor(TColor::FromRgb(0xF0F0FF)), clWhite);
    EXPECT_EQ(TPalette().NearestColor(clRed), clRed);
    std::vector<TColor> many(300, clRed);
    EXPECT_EQ(TPalette(many).Count(), 256u);
}

TEST(Picture, Assign_CopiesTheGraphicAndReportsGraphicChanges) {
    int changes = 0;
    TPicture a;
    a.OnChange = [&](TObject*) { ++changes; };
    TBitmap bitmap(3, 2);
    a.SetGraphic(&bitmap);
    EXPECT_EQ(changes, 1);
    ASSERT_NE(a.Bitmap(), nullptr);
    EXPECT_NE(a.Graphic(), &bitmap) << "the picture keeps its own copy";
    EXPECT_EQ(a.Width(), 3);

    static_cast<TBitmap*>(a.Graphic())->SetSize(5, 5);
    EXPECT_EQ(changes, 2);

    TPicture b;
    b = a;
    EXPECT_EQ(b.Width(), 5);
    a.Clear();
    a.Clear();
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(a.HasGraphic());
    EXPECT_EQ(b.Width(), 5);
}

} // namespace
} // namespace orvalis
