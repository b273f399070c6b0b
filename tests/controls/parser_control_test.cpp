#include "controls/parser_control.h"

#include "content/markup_tags.h"
#include "controls/hand_cursors.h"
#include "platform/bitmap.h"
#include "platform/measure_canvas.h"
#include "platform/message_boxes.h"
#include "platform/panel.h"
#include "platform/paths.h"
#include "platform/recording_canvas.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "platform/services.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace orvalis {
namespace {

namespace fs = std::filesystem;
using Calls = std::vector<std::string>;

// Text is measured 8 x 16 per character outside a paint too, so sizes are exact; pictures are looked up
// below a temporary program folder.
class ParserControlTest : public ::testing::Test {
protected:
    ParserControlTest() {
        FPreviousFactory = SetMeasureCanvasFactory([] { return std::make_unique<RecordingCanvas>(8, 16); });
        Folder = fs::temp_directory_path() /
                 ("orvalis-parser-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(Folder / "I" / "T");
        SetProgramFolder(Folder.string());
        Parent.SetBounds(0, 0, 200, 150);
        Control = new GParserControl(&Parent);
        Control->SetBounds(0, 0, 200, 100);
    }
    ~ParserControlTest() override {
        SetProgramFolder("");
        SetMeasureCanvasFactory(FPreviousFactory);
        std::error_code error;
        fs::remove_all(Folder, error);
    }

    void WritePicture(const std::string& name, int w, int h) {
        ASSERT_TRUE(TBitmap(w, h, clRed).SaveToFile((Folder / "I" / "T" / name).string()));
    }
    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(Folder / name, std::ios::binary) << bytes;
    }
    Calls PaintCalls(std::string_view name) {
        RecordingCanvas canvas(8, 16);
        Control->Paint(canvas);
        return canvas.CallsNamed(name);
    }
    std::vector<TRect> Areas() {
        std::vector<TRect> out;
        for (int32_t i = 1; i <= Control->HyperLinks().Count(); ++i)
            out.push_back(static_cast<const THyperLinkArea*>(Control->HyperLinks().Get(i))->Area);
        return out;
    }

    fs::path Folder;
    TPanel Parent;
    GParserControl* Control = nullptr;
    TMeasureCanvasFactory FPreviousFactory;
};

TEST_F(ParserControlTest, Defaults) {
    GParserControl lone;
    EXPECT_EQ(lone.Width(), 120);
    EXPECT_EQ(lone.Height(), 100);
    EXPECT_TRUE(lone.ParentColor());
    EXPECT_TRUE(lone.DrawFocused());
    EXPECT_FALSE(lone.HorScrollBar());
    EXPECT_TRUE(lone.VerScrollBar());
    EXPECT_EQ(lone.GetText(), nullptr);
    EXPECT_EQ(lone.XMax(), 0);
    EXPECT_EQ(lone.YMax(), 0);
    EXPECT_TRUE(lone.HyperLinkFont().SameValue(lone.Font()));
    EXPECT_STREQ(lone.HyperLinks().Name(), "HyperLinks");
}

TEST_F(ParserControlTest, SetText_SizesToContentWithinParent) {
    // 30 lines of 16 pixels, plus two lines: taller than the parent.
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "regel\r\n";
    Control->SetText(text);
    EXPECT_STREQ(Control->GetText(), text.c_str());
    EXPECT_EQ(Control->YMax(), 30 * 16 + 2 * 16);
    EXPECT_EQ(Control->XMax(), 200);
    EXPECT_EQ(Control->BoundsRect(), (TRect{0, 0, 200, 512}));

    // A short text still fills the parent.
    Control->SetText("kort");
    EXPECT_EQ(Control->YMax(), 150);
    EXPECT_EQ(Control->BoundsRect(), (TRect{0, 0, 200, 150}));

    // An empty text, or none, makes the control as large as its parent and draws only the background.
    Control->SetText("");
    EXPECT_EQ(Control->BoundsRect(), (TRect{0, 0, 200, 150}));
    Control->SetText(nullptr);
    EXPECT_EQ(Control->GetText(), nullptr);
    EXPECT_EQ(Control->BoundsRect(), (TRect{0, 0, 200, 150}));
    EXPECT_TRUE(PaintCalls("TextOut").empty());

    // A text ends at its first NUL.
    Control->SetText(std::string("voor\0na", 7));
    EXPECT_STREQ(Control->GetText(), "voor");
}

TEST_F(ParserControlTest, SetText_WithoutParentSetsOnlyTheHeight) {
    GParserControl lone;
    lone.SetBounds(5, 6, 200, 10);
    lone.SetText("een\r\ntwee");
    EXPECT_EQ(lone.BoundsRect(), (TRect{5, 6, 205, 6 + 16 + 32}));
}

TEST_F(ParserControlTest, Pictures_WidenOnlyWithHorScrollBar) {
    WritePicture("breed.png", 320, 40);
    Control->SetText("<IMG NAME=\"I\\T\\breed.png\">\r\nna");
    EXPECT_EQ(Control->Width(), 200);
    Control->SetHorScrollBar(true); // relays out
    EXPECT_EQ(Control->XMax(), 320);
    EXPECT_EQ(Control->Width(), 320);
}

TEST_F(ParserControlTest, LoadFromFile_WholeFileOrNothing) {
    WriteFile("a.txt", "<B>Acne</B>\r\ntekst");
    Control->LoadFromFile((Folder / "a.txt").string());
    EXPECT_STREQ(Control->GetText(), "<B>Acne</B>\r\ntekst");
    Control->LoadFromFile((Folder / "ontbreekt.txt").string());
    EXPECT_STREQ(Control->GetText(), "<B>Acne</B>\r\ntekst");
    Control->LoadFromFile(Folder.string()); // a folder is no file
    EXPECT_STREQ(Control->GetText(), "<B>Acne</B>\r\ntekst");
    WriteFile("leeg.txt", "");
    Control->LoadFromFile((Folder / "leeg.txt").string());
    EXPECT_STREQ(Control->GetText(), "");
}

TEST_F(ParserControlTest, Paint_FrameBackgroundThenText) {
    Control->SetColor(clWhite);
    Control->SetText("hallo");
    RecordingCanvas canvas(8, 16);
    Control->Paint(canvas);
    const auto& calls = canvas.Calls();
    ASSERT_GE(calls.size(), 3u);
    // The fill with the frame: solid in the colour, as the parent has no focus.
    EXPECT_EQ(calls[0].Text, "Rectangle(0,0,200,150)");
    EXPECT_EQ(calls[0].Brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(calls[0].Brush.Color(), clWhite);
    EXPECT_EQ(calls[0].Pen.Style(), TPenStyle::psSolid);
    EXPECT_EQ(calls[0].Pen.Color(), clWhite);
    // The background's own rectangle, then the text.
    EXPECT_EQ(calls[1].Text, "Rectangle(0,0,200,150)");
    EXPECT_EQ(calls.back().Text, "TextOut(2,0,\"hallo\")");
}

TEST_F(ParserControlTest, PaintBackground_FollowsTheScrollPositions) {
    TScrollBox box;
    box.SetBounds(0, 0, 200, 100);
    auto* control = new GParserControl(&box);
    control->SetBounds(0, 0, 180, 100);
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "regel\r\n";
    control->SetText(text);
    TPicture picture;
    picture.TakeGraphic(std::make_unique<TBitmap>(50, 30));
    control->Background().SetImage(picture);
    control->Background().SetImageDrawStyle(TImageDrawStyle::idsTopLeft);
    control->SetdX(3);
    control->SetdY(4);
    box.Widget()->show(); // the box takes its scroll range when shown
    box.SetVertScrollPosition(120);
    ASSERT_EQ(box.VertScrollPosition(), 120);
    RecordingCanvas canvas(8, 16);
    control->Paint(canvas);
    const Calls draws = canvas.CallsNamed("CopyRect");
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_TRUE(draws[0].starts_with("CopyRect(3,124,53,154,")) << draws[0];
    EXPECT_EQ(control->dY(), 4); // only for the call
    EXPECT_EQ(canvas.CallsNamed("Rectangle").size(), 2u) << "the small picture leaves the fill to show";

    // A picture copied over all that is painted hides the fill: it is not drawn.
    picture.TakeGraphic(std::make_unique<TBitmap>(400, 400));
    control->Background().SetImage(picture);
    control->SetdX(0);
    control->SetdY(-10);
    canvas.Clear();
    canvas.SetPaintRect(TRect{0, 120, 180, 220});
    control->Paint(canvas);
    ASSERT_EQ(canvas.CallsNamed("Rectangle").size(), 1u) << "only the background's own rectangle";
    canvas.Clear();
    canvas.SetPaintRect(TRect{0, 0, 180, 20}); // above the picture, which starts at 110
    control->Paint(canvas);
    EXPECT_EQ(canvas.CallsNamed("Rectangle").size(), 2u);
}

TEST_F(ParserControlTest, WrappingLink_TwoAreasOneClickEach) {
    std::vector<std::string> clicked;
    Control->OnHyperLinkClick = [&](TObject* sender, std::string& href) {
        EXPECT_EQ(sender, Control);
        clicked.push_back(href);
    };
    // "aaaaaaaaaaaaaaaaaaa " ends at 162; the link's second word passes 190 and wraps.
    Control->SetText(std::string(20, 'a') + " <A HREF=\"vitamine c\">vitamine cccc</A> na");
    const std::vector<TRect> areas = Areas();
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[0], (TRect{170, 0, 170, 16})); // "vitamine " went to the next line with the link
    EXPECT_EQ(areas[1], (TRect{2, 16, 106, 32}));

    Control->MouseUp(TMouseButton::mbLeft, 0, 2, 16); // left and top inclusive
    Control->MouseUp(TMouseButton::mbLeft, 0, 105, 31);
    Control->MouseUp(TMouseButton::mbLeft, 0, 106, 20); // right exclusive
    Control->MouseUp(TMouseButton::mbLeft, 0, 50, 32);  // bottom exclusive
    EXPECT_EQ(clicked, (std::vector<std::string>{"vitamine c", "vitamine c"}));
}

TEST_F(ParserControlTest, Links_AWrappedLinkIsOneTabStopAndEnterFollowsTheFocusedOne) {
    std::vector<std::string> followed;
    Control->SetText(std::string(20, 'a') +
                     " <A HREF=\"vitamine c\">vitamine {cccc}</A> en <A HREF=ijzer>ijzer</A>");
    ASSERT_GT(Control->HyperLinks().Count(), 2) << "the first link has an area on each of its lines";
    ASSERT_EQ(Control->LinkCount(), 2);
    EXPECT_EQ(Control->LinkText(1), "vitamine cccc") << "its words from both lines, braces left out";
    EXPECT_EQ(Control->LinkHRef(2), "ijzer");
    EXPECT_EQ(Control->AccessibleItems().size(), 2u);

    const auto press = [this](int key, TShiftState shift = 0) {
        Control->KeyDown(key, shift);
        return key == 0;
    };
    EXPECT_FALSE(press(vkTab)) << "links lead nowhere without a handler: Tab passes on";
    Control->OnHyperLinkClick = [&](TObject*, std::string& href) { followed.push_back(href); };
    EXPECT_FALSE(press(vkReturn)) << "no link focused yet";
    EXPECT_TRUE(press(vkTab));
    EXPECT_TRUE(press(vkTab));
    EXPECT_EQ(Control->FocusedLink(), 2);
    EXPECT_TRUE(press(vkReturn));
    EXPECT_FALSE(press(vkTab)) << "after the last link the key goes on to the next control";
    EXPECT_EQ(Control->FocusedLink(), 0);
    const TShiftState shift = uint8_t(TShiftFlag::ssShift);
    EXPECT_TRUE(press(vkTab, shift)) << "Shift+Tab comes in at the last link";
    EXPECT_TRUE(press(vkTab, shift));
    EXPECT_EQ(Control->FocusedLink(), 1);
    Control->AccessibleAction(0);
    EXPECT_EQ(followed, (std::vector<std::string>{"ijzer", "vitamine c"}));
    EXPECT_FALSE(press(vkTab, shift));
    Control->SetFocusedLink(2);
    Control->SetText("<A HREF=x>x</A>");
    EXPECT_EQ(Control->FocusedLink(), 0) << "a new text starts without a focused link";
}

TEST_F(ParserControlTest, LinkClick_HandlerMayReplaceTheText) {
    int ups = 0;
    Control->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    Control->OnHyperLinkClick = [&](TObject*, std::string& href) {
        Control->SetText("<A HREF=x>nieuw</A> " + href);
    };
    Control->SetText("<A HREF=\"ijzer\">ijzer</A>");
    Control->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
    EXPECT_STREQ(Control->GetText(), "<A HREF=x>nieuw</A> ijzer");
    Control->MouseUp(TMouseButton::mbRight, 0, 190, 90); // outside every area: only the standard handling
    EXPECT_EQ(ups, 2);

    // An emptied control keeps no area of its old links to be clicked or followed.
    Control->SetFocusedLink(1);
    Control->SetText(nullptr);
    EXPECT_EQ(Control->HyperLinks().Count(), 0);
    Control->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
    int key = vkReturn;
    Control->KeyDown(key, 0);
    EXPECT_STREQ(Control->GetText(), nullptr);
}

TEST_F(ParserControlTest, Cursors_HandOverLinksOnlyWithAHandler) {
    Control->SetText("<A HREF=x>link</A> tekst");
    Control->MouseMove(0, 5, 5);
    EXPECT_EQ(Control->Cursor(), crDefault); // no handler
    Control->OnHyperLinkClick = [](TObject*, std::string&) {};
    Control->MouseMove(0, 5, 5);
    EXPECT_EQ(Control->Cursor(), crHandCursor);
    Control->MouseMove(0, 60, 5);
    EXPECT_EQ(Control->Cursor(), crHandNoFingersCursor);
    Control->SetText("geen links");
    Control->MouseMove(0, 5, 5);
    EXPECT_EQ(Control->Cursor(), crDefault);
}

TEST_F(ParserControlTest, FindImage_CacheOrderAndFolderBounds) {
    WritePicture("a.png", 10, 10);
    WritePicture("b.png", 20, 10);
    WritePicture("c.png", 30, 10);
    const std::string root = ProgramFolder();
    EXPECT_EQ(Control->FindImage("I\\T\\a.png").Width(), 10);
    EXPECT_EQ(Control->FindImage("I\\T\\b.png").Width(), 20);
    EXPECT_EQ(Control->FindImage("I\\T\\c.png").Width(), 30);
    // New entries go to the front.
    EXPECT_EQ(Control->ImageCacheKeys(),
              (Calls{root + "I\\T\\c.png", root + "I\\T\\b.png", root + "I\\T\\a.png"}));
    // A hit changes places with the first entry.
    EXPECT_EQ(Control->FindImage("I\\T\\a.png").Width(), 10);
    EXPECT_EQ(Control->ImageCacheKeys(),
              (Calls{root + "I\\T\\a.png", root + "I\\T\\b.png", root + "I\\T\\c.png"}));
    EXPECT_EQ(Control->FindImage("I\\T\\b.png").Width(), 20);
    EXPECT_EQ(Control->ImageCacheKeys(),
              (Calls{root + "I\\T\\b.png", root + "I\\T\\a.png", root + "I\\T\\c.png"}));

    // Missing files, and names reaching outside the program folder, find nothing and are not kept.
    EXPECT_FALSE(Control->FindImage("I\\T\\geen.png").HasGraphic());
    WritePicture("../../buiten.png", 5, 5);
    EXPECT_FALSE(Control->FindImage("..\\buiten.png").HasGraphic());
    EXPECT_FALSE(Control->FindImage("I/T/../../../buiten.png").HasGraphic());
    EXPECT_FALSE(Control->FindImage((Folder / "I" / "T" / "a.png").string()).HasGraphic());
    EXPECT_EQ(Control->ImageCacheKeys().size(), 3u);
    EXPECT_FALSE(Control->ImageLoader().Picture().HasGraphic());

    // A new text starts an empty cache.
    Control->SetText("x");
    EXPECT_TRUE(Control->ImageCacheKeys().empty());
}

TEST_F(ParserControlTest, UndecodablePicture_ReportedOncePerText) {
    RecordingMessageBoxes boxes;
    TMessageBoxesOverride using_(boxes);
    WriteFile("I/T/kapot.png", "geen plaatje");
    const std::string text = "<IMG NAME=\"I\\T\\kapot.png\">\r\nna";
    Control->SetText(text);
    const size_t reported = boxes.Entries().size();
    EXPECT_GT(reported, 0u);
    Control->Relayout();
    PaintCalls("TextOut");
    EXPECT_EQ(boxes.Entries().size(), reported);
    // Nothing drawn and no room taken: the next line follows directly.
    EXPECT_EQ(PaintCalls("TextOut"), (Calls{"TextOut(2,16,\"na\")"}));
}

TEST_F(ParserControlTest, Pictures_DrawnFromTheCacheWithAlignment) {
    WritePicture("p.png", 40, 40);
    Control->SetText("<IMG NAME=\"I\\T\\p.png\" ALIGN=RIGHT>\r\nna");
    RecordingCanvas canvas(8, 16);
    Control->Paint(canvas);
    EXPECT_EQ(canvas.CallsNamed("Draw"), (Calls{"Draw(160,0,bitmap 40x40)"}));
    // 40 / 16 rounds half to even to 2 lines of 15 pixels; then the line break.
    EXPECT_EQ(canvas.CallsNamed("TextOut"), (Calls{"TextOut(2,46,\"na\")"}));
}

TEST_F(ParserControlTest, PropertyChanges_RelayOutOnlyOnARealChange) {
    int measured = 0;
    SetMeasureCanvasFactory([&] {
        ++measured;
        return std::make_unique<RecordingCanvas>(8, 16);
    });
    Control->SetText("tekst");
    EXPECT_EQ(measured, 1);
    Control->SetVerScrollBar(true);
    Control->SetHorScrollBar(false);
    Control->SetDrawFocused(true);
    EXPECT_EQ(measured, 1);
    Control->SetDrawFocused(false);
    Control->SetVerScrollBar(false);
    EXPECT_EQ(measured, 3);
}

TEST_F(ParserControlTest, PartialPaint_DrawsTheAskedRowsButKeepsEveryLink) {
    Control->SetText("<A HREF=een>een</A>\r\ntwee\r\n<A HREF=drie>drie</A>\r\nvier");
    RecordingCanvas canvas(8, 16);
    canvas.SetPaintRect(TRect{0, 16, 200, 32});
    Control->Paint(canvas);
    EXPECT_EQ(canvas.CallsNamed("TextOut"), (Calls{"TextOut(2,16,\"twee\")"}));
    EXPECT_EQ(Areas(), (std::vector<TRect>{{2, 0, 26, 16}, {2, 32, 34, 48}}));
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

// Mouse reports as the window system delivers them to the control's widget.
void Send(GCustomParserControl* control, QEvent::Type type, QPoint at, Qt::MouseButtons held,
          Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent e(type, at, control->Widget()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(control->Widget(), &e);
}

void Drag(GCustomParserControl* control, QPoint from, QPoint to) {
    Send(control, QEvent::MouseButtonPress, from, Qt::LeftButton);
    Send(control, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton, Qt::NoButton);
    Send(control, QEvent::MouseMove, to, Qt::LeftButton, Qt::NoButton);
    Send(control, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

TEST_F(ParserControlTest, Selection_DragCopiesTheSliceAcrossALinkAndABoldRun) {
    MemoryClipboard clip;
    TClipboard* previous = SetClipboard(&clip);
    std::vector<std::string> followed;
    Control->OnHyperLinkClick = [&](TObject*, std::string& href) { followed.push_back(href); };
    // "Zie " 2-34, "zink" 34-66 (link), ", " 66-82, "vooral " 82-138, "rust" 138-170 (bold), "." 170-178.
    const std::string text = "Zie <A HREF=Zink>zink</A>, <B>vooral <I>rust</I></B>.";
    Control->SetText(text);
    const std::string plain = PlainTopicText(text);

    // From inside "Zie" to inside "rust", released over the link's line: a drag, not a click.
    Drag(Control, QPoint(2 + 8, 8), QPoint(138 + 16, 8));
    EXPECT_EQ(Control->SelectedText(), plain.substr(1, plain.find("rust") + 2 - 1));
    EXPECT_TRUE(followed.empty()) << "a drag follows no link";
    int key = 'C';
    Control->KeyDown(key, uint8_t(TShiftFlag::ssCtrl));
    EXPECT_EQ(key, 0);
    EXPECT_EQ(clip.Text(), "ie zink, vooral ru");

    // Backwards from inside the link into "Zie": the anchor stays where the drag began; and forwards
    // again, released over the link.
    Drag(Control, QPoint(60, 8), QPoint(2 + 16, 8));
    EXPECT_EQ(Control->SelectedText(), "e zin");
    Drag(Control, QPoint(2 + 16, 8), QPoint(60, 8));
    EXPECT_EQ(Control->SelectedText(), "e zin");
    EXPECT_TRUE(followed.empty()) << "a drag that ends on a link does not follow it";

    // The selection is painted behind the glyphs.
    RecordingCanvas canvas(8, 16);
    Control->Paint(canvas);
    const Calls fills = canvas.CallsNamed("FillRect");
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills, (Calls{"FillRect(18,0,34,16)", "FillRect(34,0,58,16)"}));
    const auto& calls = canvas.Calls();
    const auto fill = std::find_if(calls.begin(), calls.end(),
                                   [](const auto& c) { return c.Text.starts_with("FillRect"); });
    EXPECT_EQ(fill->Brush.Color(), GCustomParserControl::SelectionColor);
    EXPECT_TRUE(
        std::none_of(calls.begin(), fill, [](const auto& c) { return c.Text.starts_with("TextOut"); }));

    // A click without a drag empties the selection and follows the link under it.
    Send(Control, QEvent::MouseButtonPress, QPoint(40, 8), Qt::LeftButton);
    Send(Control, QEvent::MouseButtonRelease, QPoint(40, 8), Qt::NoButton);
    EXPECT_EQ(followed, (std::vector<std::string>{"Zink"}));
    EXPECT_TRUE(Control->Selection().Empty());
    key = 'C';
    clip.SetText("ervoor");
    Control->KeyDown(key, uint8_t(TShiftFlag::ssCtrl));
    EXPECT_EQ(key, 'C') << "without a selection Ctrl+C goes on";
    EXPECT_EQ(clip.Text(), "ervoor");
    SetClipboard(previous);
}

TEST_F(ParserControlTest, Selection_DoubleClickWordCtrlASelectsAllNewTextClears) {
    Control->SetText("Neem <B>veel</B> rust.<HIDE> Geheim.<SHOW>\r\nSlaap <IMG NAME=x.bmp>goed.");
    Send(Control, QEvent::MouseButtonPress, QPoint(50, 8), Qt::LeftButton);
    Send(Control, QEvent::MouseButtonRelease, QPoint(50, 8), Qt::NoButton);
    Send(Control, QEvent::MouseButtonDblClick, QPoint(50, 8), Qt::LeftButton);
    Send(Control, QEvent::MouseMove, QPoint(150, 24), Qt::LeftButton, Qt::NoButton);
    Send(Control, QEvent::MouseButtonRelease, QPoint(150, 24), Qt::NoButton);
    EXPECT_EQ(Control->SelectedText(), "veel") << "the word stays while the button moves on";

    int key = 'A';
    Control->KeyDown(key, uint8_t(TShiftFlag::ssCtrl));
    EXPECT_EQ(key, 0);
    EXPECT_EQ(Control->SelectedText(), "Neem veel rust.\r\nSlaap goed.")
        << "hidden passage and picture left out";

    Control->SetText("Ander onderwerp");
    EXPECT_TRUE(Control->Selection().Empty());
    Control->SetSelection({3, 1000});
    EXPECT_EQ(Control->Selection(), (TTextRange{3, 15})) << "cut to the text";
}

TEST_F(ParserControlTest, Selection_OnAPaletteScreenTheNearestPaletteColour) {
    const TScreenOverride screen({.Width = 640, .Height = 480, .BitsPerPixel = 8});
    Control->SetText("Neem rust.");
    Control->SelectAll();
    RecordingCanvas canvas(8, 16);
    Control->Paint(canvas);
    const auto& calls = canvas.Calls();
    const auto fill = std::find_if(calls.begin(), calls.end(),
                                   [](const auto& c) { return c.Text.starts_with("FillRect"); });
    ASSERT_NE(fill, calls.end());
    ASSERT_NE(Control->GetPalette(), nullptr);
    const TColor shown = fill->Brush.Color();
    EXPECT_EQ(shown, Control->GetPalette()->NearestColor(GCustomParserControl::SelectionColor));
    EXPECT_NE(shown, clWhite) << "still visible on a white page";
    EXPECT_NE(shown, clBlack) << "the black glyphs stay legible";
}

} // namespace
} // namespace orvalis
