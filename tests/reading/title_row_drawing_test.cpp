#include "controls/bk_control.h"
#include "controls/shared_palette.h"
#include "platform/bitmap.h"
#include "platform/recording_canvas.h"
#include "platform/screen.h"
#include "reading/title_row_drawing.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace orvalis {
namespace {

// A window that asks for the shared palette, as the main window does on screens of few colours.
class PaletteWindow : public TWinControl {
public:
    const TPalette* GetPalette() const override { return SharedPalette(); }
};

// A page with its background control at (10, 20) and a list of title lines at (30, 50) above it; the list
// draws its rows with the title row drawing. In the background's coordinates the list starts at (20, 30).
template <typename Window> struct PageFixture {
    Window Page;
    TBkControl* Bk = new TBkControl(&Page);
    GTextControl* List = new GTextControl(&Page);
    TBitmap Picture{200, 300, TColor::FromRgb(0xEAD291)};
    RecordingCanvas Canvas{8, 10};

    PageFixture() {
        Page.SetBounds(0, 0, 300, 400);
        Bk->SetBounds(10, 20, 200, 300);
        List->SetBounds(30, 50, 121, 97);
        List->SetColor(TColor::FromRgb(0xF0E2BD));
        List->OnDrawItem = [this](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
            DrawTitleRow(*List, *Bk, index, rect, state);
        };
    }
    void WithPicture() { Bk->Background().Image().SetGraphic(&Picture); }
    std::vector<std::string> Paint() {
        Canvas.Clear();
        List->Paint(Canvas);
        return Canvas.CallTexts();
    }
    const TCanvasCall& TextCall(const std::string& title) const {
        for (const TCanvasCall& c : Canvas.Calls())
            if (c.Text.starts_with("TextRect") && c.Text.ends_with("\"" + title + "\")"))
                return c;
        static const TCanvasCall none;
        ADD_FAILURE() << "no text " << title;
        return none;
    }
};

using TitleRows = PageFixture<TWinControl>;

TEST(TitleRowDrawing, RowsCopyThePagePictureFromUnderThemAndTheLastCoversTheRest) {
    TitleRows p;
    p.WithPicture();
    p.List->SetItems({"12|Acne", "3|Zink", "7|Zinkgebrek"});
    EXPECT_EQ(p.Paint(), (std::vector<std::string>{
                             "CopyRect(0,0,121,16,bitmap 200x300,20,30,141,46,cmSrcCopy)",
                             "TextRect(0,0,97,16,5,3,\"Acne\")",
                             "CopyRect(0,16,121,32,bitmap 200x300,20,46,141,62,cmSrcCopy)",
                             "TextRect(0,16,97,32,5,19,\"Zink\")",
                             "CopyRect(0,32,121,145,bitmap 200x300,20,62,141,175,cmSrcCopy)",
                             "TextRect(0,32,97,48,5,35,\"Zinkgebrek\")",
                         }));
    p.List->SetTopIndex(1); // scrolled: row 0 shows line 1, from the same place of the picture
    EXPECT_EQ(p.Paint()[0], "CopyRect(0,0,121,16,bitmap 200x300,20,30,141,46,cmSrcCopy)");
    p.Bk->SetLeft(0);
    EXPECT_EQ(p.Paint()[0], "CopyRect(0,0,121,16,bitmap 200x300,30,30,151,46,cmSrcCopy)");
}

TEST(TitleRowDrawing, WithoutAPicture_RowsTakeTheListColor) {
    TitleRows p;
    p.List->SetItems({"1|b", "2|a"});
    const std::vector<std::string> calls = p.Paint();
    EXPECT_EQ(calls[0], "FillRect(0,0,121,16)");
    EXPECT_EQ(calls[2], "FillRect(0,16,121,129)") << "the last line down to its bottom plus the list height";
    EXPECT_EQ(p.Canvas.Calls()[0].Brush.Color(), TColor::FromRgb(0xF0E2BD));
    EXPECT_EQ(p.Canvas.Calls()[0].Brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(p.Canvas.Calls()[1].Brush.Style(), TBrushStyle::bsClear) << "the text has no background";

    p.List->Clear(); // the first row is still offered: it clears the whole list
    EXPECT_EQ(p.Paint(), (std::vector<std::string>{"FillRect(0,0,121,113)"}));
}

TEST(TitleRowDrawing, SelectedOnePointLarger_HotUnderlined_TextOnlyAfterTheFirstBar) {
    TitleRows p;
    p.List->Font().SetHeight(-16); // 12 points at 96 pixels per inch
    p.List->SetItems({"1|Acne", "2|Koorts|hoog", "3|zonder"});
    p.List->SetItemIndex(1);
    p.List->MouseMove(0, 10, 40);
    ASSERT_EQ(p.List->HotIndex(), 2);
    p.Paint();
    EXPECT_EQ(p.TextCall("Acne").Font.Size(), 12);
    EXPECT_TRUE(p.TextCall("Acne").Font.Style().Empty());
    EXPECT_EQ(p.TextCall("Koorts|hoog").Font.Size(), 13);
    EXPECT_TRUE(p.TextCall("Koorts|hoog").Font.Style().Empty()) << "selected, not underlined";
    EXPECT_EQ(p.TextCall("zonder").Font.Size(), 12);
    EXPECT_TRUE(p.TextCall("zonder").Font.Style().Has(TFontStyle::fsUnderline));
    EXPECT_EQ(p.List->Font().Size(), 12) << "the list's own font stays as it is";
}

TEST(TitleRowDrawing, TextCenteredAndClippedShortOfTheScrollBar) {
    TitleRows p;
    p.List->SetItems({"1|Acne"});
    p.List->SetItemHeight(21);  // (21 - 10) / 2 = 5
    p.List->SetScrollWidth(15); // 1.5 * 15 = 22.5, halves to even: 22
    p.Paint();
    EXPECT_EQ(p.Canvas.CallsNamed("TextRect"),
              (std::vector<std::string>{"TextRect(0,0,99,21,5,5,\"Acne\")"}));
    p.List->SetScrollWidth(17); // 25.5 -> 26
    p.Paint();
    EXPECT_EQ(p.Canvas.CallsNamed("TextRect"),
              (std::vector<std::string>{"TextRect(0,0,95,21,5,5,\"Acne\")"}));
}

TEST(TitleRowDrawing, OutsideAPaint_DrawsNothing) {
    TitleRows p;
    p.List->SetItems({"1|Acne"});
    DrawTitleRow(*p.List, *p.Bk, 0, p.List->ItemRect(0), {});
    EXPECT_TRUE(p.Canvas.Calls().empty());
}

TEST(TitleRowDrawing, FewColors_CopiesWithTheSharedPaletteWhenTheWindowHasOne) {
    TScreenOverride eightBits({.BitsPerPixel = 8});
    PageFixture<PaletteWindow> withPalette;
    withPalette.WithPicture();
    withPalette.List->SetItems({"1|Acne"});
    EXPECT_EQ(withPalette.Paint(), (std::vector<std::string>{
                                       "SelectPalette(256)",
                                       "RealizePalette()",
                                       "CopyRect(0,0,121,113,bitmap 200x300,20,30,141,143,cmSrcCopy)",
                                       "SelectPalette(none)",
                                       "TextRect(0,0,97,16,5,3,\"Acne\")",
                                   }));
    TitleRows plain;
    plain.WithPicture();
    plain.List->SetItems({"1|Acne"});
    EXPECT_TRUE(plain.Paint()[0].starts_with("CopyRect")) << "a window without a palette";
}

// A canvas whose block transfers fail.
class FailingCopyCanvas : public RecordingCanvas {
public:
    void CopyRect(const TRect&, const TBitmap&, const TRect&, TCopyMode) override {
        throw std::runtime_error("the copy failed");
    }
};

TEST(TitleRowDrawing, CopyThatThrows_LeavesThePreviousPaletteSelected) {
    TScreenOverride eightBits({.BitsPerPixel = 8});
    PageFixture<PaletteWindow> p;
    p.WithPicture();
    p.List->SetItems({"1|Acne"});
    FailingCopyCanvas canvas;
    p.List->Paint(canvas);
    EXPECT_EQ(canvas.CallTexts(),
              (std::vector<std::string>{"SelectPalette(256)", "RealizePalette()", "SelectPalette(none)"}));
    EXPECT_EQ(canvas.SelectedPalette(), nullptr);
}

} // namespace
} // namespace orvalis
