#include "controls/text_control.h"
#include "platform/bitmap.h"
#include "platform/mouse.h"
#include "platform/recording_canvas.h"

#include "platform/resources.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace orvalis {
namespace {

std::vector<std::string> Lines(int n) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i)
        lines.push_back("line " + std::to_string(i));
    return lines;
}

// A list of the default 121 x 97 with the given number of lines, and the pointer where the mouse goes
// down, for the page steps that look at it again.
struct ListFixture : testing::Test {
    GTextControl List;
    int MouseUps = 0;

    void Fill(int n) {
        List.SetItems(Lines(n));
        List.OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ++MouseUps; };
    }
    void Press(int x, int y) {
        Mouse().SetCursorPosOverride(List.ClientToScreen({x, y}));
        List.MouseDown(TMouseButton::mbLeft, 0, x, y);
    }
    void Release(int x, int y) { List.MouseUp(TMouseButton::mbLeft, 0, x, y); }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    ~ListFixture() override { Mouse().SetCursorPosOverride(std::nullopt); }
};

using TextControl = ListFixture;

TEST_F(TextControl, Defaults) {
    EXPECT_EQ(List.Width(), 121);
    EXPECT_EQ(List.Height(), 97);
    EXPECT_FALSE(List.ParentColor());
    EXPECT_TRUE(List.Hotable());
    EXPECT_EQ(List.ItemHeight(), 16);
    EXPECT_EQ(List.ScrollWidth(), 16);
    EXPECT_EQ(List.TopIndex(), -1);
    EXPECT_EQ(List.ItemIndex(), -1);
    EXPECT_EQ(List.HotIndex(), -1);
    List.SetSorted(true);
    EXPECT_FALSE(List.Sorted()) << "a write is ignored";
}

TEST_F(TextControl, EveryChangeOfTheLines_SelectsLineZeroAtTheTop) {
    Fill(20);
    EXPECT_EQ(List.TopIndex(), 0);
    EXPECT_EQ(List.ItemIndex(), 0);
    List.SetTopIndex(5);
    List.SetItemIndex(7);
    List.MouseMove(0, 10, 20);
    EXPECT_EQ(List.HotIndex(), 6);
    List.Items().Add("one more");
    EXPECT_EQ(List.TopIndex(), 0);
    EXPECT_EQ(List.ItemIndex(), 0);
    EXPECT_EQ(List.HotIndex(), -1);

    List.SetItemIndex(3);
    List.Items().BeginUpdate();
    List.Items().Delete(0);
    List.Items().Delete(0);
    EXPECT_EQ(List.ItemIndex(), 3) << "held back until the update ends";
    List.Items().EndUpdate();
    EXPECT_EQ(List.ItemIndex(), 0);

    List.SetItemIndex(2);
    List.Clear();
    EXPECT_EQ(List.Items().Count(), 0);
    EXPECT_EQ(List.TopIndex(), 0);
    EXPECT_EQ(List.ItemIndex(), -1) << "an empty list has no line to select";
}

TEST_F(TextControl, ItemRectAndItemAtPos) {
    Fill(20);
    EXPECT_EQ(List.ItemRect(3), (TRect{0, 48, 121, 64}));
    List.SetTopIndex(2);
    EXPECT_EQ(List.ItemRect(3), (TRect{0, 16, 121, 32}));
    EXPECT_EQ(List.ItemRect(0), (TRect{0, -32, 121, -16}));
    struct Case {
        TPoint Point;
        bool Existing;
        int Expected;
    };
    const Case cases[] = {
        {{0, 0}, true, 2},    {{120, 15}, true, 2}, {{5, 16}, true, 3},   {{5, 96}, true, 8},
        {{121, 5}, true, -1}, {{-1, 5}, false, -1}, {{5, 97}, false, -1}, {{5, -1}, true, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(List.ItemAtPos(c.Point, c.Existing), c.Expected) << c.Point.X << "," << c.Point.Y;

    Fill(3); // rows 0..47 hold items, the rest of the list is empty
    EXPECT_EQ(List.ItemAtPos({5, 47}, true), 2);
    EXPECT_EQ(List.ItemAtPos({5, 48}, true), -1);
    EXPECT_EQ(List.ItemAtPos({5, 48}, false), 3) << "the item count when not asking for an existing item";
}

TEST_F(TextControl, ScrollBarExists_WhenTheItemsDoNotFitOrTheListIsScrolled) {
    EXPECT_FALSE(List.ScrollBarExists());
    List.SetTopIndex(4);
    EXPECT_FALSE(List.ScrollBarExists()) << "no items, no scroll bar";
    Fill(6); // 96 pixels of rows in 97
    EXPECT_FALSE(List.ScrollBarExists());
    List.SetTopIndex(1);
    EXPECT_TRUE(List.ScrollBarExists());
    Fill(7); // 112 pixels
    EXPECT_TRUE(List.ScrollBarExists());
    List.SetHeight(112);
    EXPECT_FALSE(List.ScrollBarExists());
}

TEST_F(TextControl, ScrollBarPartRectangles) {
    Fill(20); // track: 97 - 3 * 16 = 49 pixels for 19 steps
    EXPECT_EQ(List.ScrollUpRect(), (TRect{105, 0, 121, 16}));
    EXPECT_EQ(List.ScrollDownRect(), (TRect{105, 81, 121, 97}));
    EXPECT_EQ(List.ThumbRect(), (TRect{105, 16, 121, 32}));
    EXPECT_TRUE(List.PageUpRect().IsEmpty());
    EXPECT_EQ(List.PageDownRect(), (TRect{105, 32, 121, 81}));
    List.SetTopIndex(5); // 5 / 19 * 49 + 16 = 28.89
    EXPECT_EQ(List.ThumbRect(), (TRect{105, 29, 121, 45}));
    EXPECT_EQ(List.PageUpRect(), (TRect{105, 16, 121, 29}));
    EXPECT_EQ(List.PageDownRect(), (TRect{105, 45, 121, 81}));
    List.SetTopIndex(19);
    EXPECT_EQ(List.ThumbRect(), (TRect{105, 65, 121, 81})) << "at the bottom of the track";

    Fill(3);
    List.SetTopIndex(1); // 1 / 2 * 49 + 16 = 40.5, halves to even
    EXPECT_EQ(List.ThumbRect().Top, 40);
    Fill(1);
    List.SetTopIndex(1);
    EXPECT_EQ(List.ThumbRect(), (TRect{105, 16, 121, 32})) << "one item: the top of the track";
}

TEST_F(TextControl, ButtonSteps_OnePerPressWithinTheList) {
    Fill(20);
    Click(110, 5);
    EXPECT_EQ(List.TopIndex(), 0) << "already at the top";
    Press(110, 90);
    EXPECT_EQ(List.ScrollState(), TListScrollState::lsDownButton);
    EXPECT_EQ(List.TopIndex(), 1);
    List.MouseMove(0, 110, 90);
    EXPECT_EQ(List.TopIndex(), 1) << "no auto-repeat";
    Release(110, 90);
    EXPECT_EQ(List.ScrollState(), TListScrollState::lsNone);
    for (int i = 0; i < 30; ++i)
        Click(110, 90);
    EXPECT_EQ(List.TopIndex(), 19) << "the last item is the lowest top row";
    Click(110, 5);
    EXPECT_EQ(List.TopIndex(), 18);
}

TEST_F(TextControl, PageSteps_ScreenfulLessOneRow_NeverBeyondTheLastItem) {
    Fill(20); // 97 / 16 rounds to 6 rows: a page moves 5
    Click(110, 75);
    EXPECT_EQ(List.TopIndex(), 5);
    Click(110, 75);
    EXPECT_EQ(List.TopIndex(), 10);
    Click(110, 75);
    EXPECT_EQ(List.TopIndex(), 15);
    Click(110, 75);
    EXPECT_EQ(List.TopIndex(), 19);
    EXPECT_EQ(List.ThumbRect().Top, 65);
    Click(110, 30);
    EXPECT_EQ(List.TopIndex(), 14);
    Click(110, 20);
    Click(110, 20);
    Click(110, 20);
    EXPECT_EQ(List.TopIndex(), 0);
    EXPECT_EQ(List.ItemIndex(), 0) << "scroll presses never select";
    EXPECT_EQ(MouseUps, 0) << "nor raise OnMouseUp";
}

TEST_F(TextControl, PageStep_PointerNoLongerInTheArea_EndsTheScrollPress) {
    Fill(20);
    Mouse().SetCursorPosOverride(List.ClientToScreen({10, 10}));
    List.MouseDown(TMouseButton::mbLeft, 0, 110, 75);
    EXPECT_EQ(List.TopIndex(), 0);
    EXPECT_EQ(List.ScrollState(), TListScrollState::lsNone);
}

TEST_F(TextControl, PageStep_ListOfOneRow_StillMoves) {
    Fill(20);
    List.SetHeight(60); // 60 / 16 rounds to 4 rows
    Click(110, 40);
    EXPECT_EQ(List.TopIndex(), 3);
    List.SetHeight(50);
    List.SetItemHeight(40); // 50 / 40 rounds to one row, which leaves none to keep in view
    List.SetTopIndex(0);
    Click(110, 33);
    EXPECT_EQ(List.TopIndex(), 1);
}

TEST_F(TextControl, DraggingTheThumb_FollowsThePointerWithinTheItems) {
    Fill(20);
    Press(110, 20);
    EXPECT_EQ(List.ScrollState(), TListScrollState::lsThumb);
    List.MouseMove(0, 110, 65); // the bottom of the track: 19 * 49 / 49
    EXPECT_EQ(List.TopIndex(), 19);
    List.MouseMove(0, 110, 200);
    EXPECT_EQ(List.TopIndex(), 19);
    List.MouseMove(0, 110, 40); // 19 * 24 / 49 = 9.31
    EXPECT_EQ(List.TopIndex(), 9);
    List.MouseMove(0, 50, -30);
    EXPECT_EQ(List.TopIndex(), 0);
    EXPECT_EQ(List.HotIndex(), -1) << "no hot row while dragging";
    Release(50, 10);
    EXPECT_EQ(List.ItemIndex(), 0);
    EXPECT_EQ(MouseUps, 0);
    EXPECT_EQ(List.ScrollState(), TListScrollState::lsNone);
}

TEST_F(TextControl, MouseUp_SelectsTheRowAndRaisesOnMouseUp_OnlyWhenHotable) {
    Fill(20);
    Click(50, 40);
    EXPECT_EQ(List.ItemIndex(), 2);
    EXPECT_EQ(MouseUps, 1);
    Click(110, 40); // the scroll bar's page-down area
    EXPECT_EQ(List.ItemIndex(), 2);
    EXPECT_EQ(MouseUps, 1);

    Fill(3);
    Click(50, 80); // under the last row: raised, nothing selected anew
    EXPECT_EQ(List.ItemIndex(), 0);
    EXPECT_EQ(MouseUps, 2);
    Click(110, 40); // no scroll bar: the column belongs to the rows
    EXPECT_EQ(List.ItemIndex(), 2);
    EXPECT_EQ(MouseUps, 3);

    List.SetHotable(false);
    Click(50, 16);
    EXPECT_EQ(List.ItemIndex(), 2);
    EXPECT_EQ(MouseUps, 3);
    List.MouseMove(0, 50, 16);
    EXPECT_EQ(List.HotIndex(), -1);
}

TEST_F(TextControl, Keys_MoveTheSelectionKeepItInViewAndRaiseOnSelect) {
    int selects = 0;
    List.OnSelect = [&](TObject* sender) {
        EXPECT_EQ(sender, &List);
        ++selects;
    };
    const auto press = [this](int key, TShiftState shift = 0) {
        List.KeyDown(key, shift);
        return key == 0;
    };
    EXPECT_FALSE(press(vkDown)) << "an empty list leaves the key";
    Fill(20); // 97 / 16: six rows in view, a page of five
    List.SetItemIndex(-1);
    EXPECT_TRUE(press(vkDown));
    EXPECT_EQ(List.ItemIndex(), 0);
    EXPECT_TRUE(press(vkUp));
    EXPECT_EQ(selects, 1) << "no move at the top, no select";
    EXPECT_TRUE(press(vkEnd));
    EXPECT_EQ(List.ItemIndex(), 19);
    EXPECT_EQ(List.TopIndex(), 14) << "the last line is the bottom row";
    EXPECT_TRUE(press(vkPrior));
    EXPECT_EQ(List.ItemIndex(), 14);
    EXPECT_EQ(List.TopIndex(), 14);
    EXPECT_TRUE(press(vkPrior));
    EXPECT_EQ(List.ItemIndex(), 9);
    EXPECT_EQ(List.TopIndex(), 9) << "a line above the view becomes the top row";
    EXPECT_TRUE(press(vkNext));
    EXPECT_EQ(List.ItemIndex(), 14);
    EXPECT_EQ(List.TopIndex(), 9);
    EXPECT_TRUE(press(vkHome));
    EXPECT_EQ(List.ItemIndex(), 0);
    EXPECT_EQ(List.TopIndex(), 0);
    EXPECT_EQ(selects, 6);
    EXPECT_FALSE(press(vkDown, uint8_t(TShiftFlag::ssCtrl))) << "with a modifier the key is not the list's";
    EXPECT_FALSE(press('A'));
    EXPECT_EQ(MouseUps, 0) << "the keyboard raises OnSelect, not the mouse's event";
}

TEST_F(TextControl, AccessibleItems_NamedByTheShownTextWithTheSelection) {
    Fill(3);
    List.OnGetItemText = [this](int index) { return "title " + List.Items()[index].substr(5); };
    List.SetItemIndex(1);
    const std::vector<TAccessibleItem> items = List.AccessibleItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].Name, "title 1");
    EXPECT_TRUE(items[1].Selected);
    EXPECT_FALSE(items[0].Selected);
    EXPECT_FALSE(items[1].Focused) << "the list does not have the focus";
    EXPECT_EQ(items[2].Bounds, List.ItemRect(2));
    List.AccessibleAction(2);
    EXPECT_EQ(List.ItemIndex(), 2);
}

TEST_F(TextControl, HotTracking_FollowsThePointerOverRowsOtherThanTheSelectedOne) {
    Fill(20);
    int outs = 0;
    List.OnMouseOut = [&](TObject*) { ++outs; };
    List.MouseMove(0, 10, 20);
    EXPECT_EQ(List.HotIndex(), 1);
    List.MouseMove(0, 10, 40);
    EXPECT_EQ(List.HotIndex(), 2);
    List.MouseMove(0, 104, 40);
    EXPECT_EQ(List.HotIndex(), 2);
    List.MouseMove(0, 105, 40);
    EXPECT_EQ(List.HotIndex(), -1) << "the scroll bar's column";
    List.MouseMove(0, 10, 40);
    List.MouseMove(0, 10, 5);
    EXPECT_EQ(List.HotIndex(), -1) << "the selected row is not hot";
    List.MouseMove(0, 10, 40);
    List.MouseOut();
    EXPECT_EQ(List.HotIndex(), -1);
    EXPECT_EQ(outs, 1);

    Fill(2);
    List.MouseMove(0, 10, 20);
    List.MouseMove(0, 10, 60);
    EXPECT_EQ(List.HotIndex(), -1) << "below the last row";
}

TEST_F(TextControl, Paint_DefaultDrawing_TextMarkerAndScrollBar) {
    List.SetBounds(0, 0, 121, 40);
    List.SetColor(TColor::FromRgb(0xF0E2BD));
    List.SetItems({"a", "bb", "ccc"});
    List.SetItemIndex(1);
    const TBitmap marker(8, 6), part(16, 16);
    List.SelectedImage().SetGraphic(&marker);
    List.ScrollUpImage().SetGraphic(&part);
    List.ScrollImage().SetGraphic(&part);
    RecordingCanvas canvas(8, 10);
    List.Paint(canvas);
    EXPECT_EQ(canvas.CallTexts(), (std::vector<std::string>{
                                      "FillRect(0,0,121,40)",
                                      "TextRect(2,0,121,16,2,3,\"a\")",
                                      "TextRect(2,16,121,32,2,19,\"bb\")",
                                      "SetStretchMode(smColorOnColor)",
                                      "CopyRect(0,21,8,27,bitmap 8x6,0,0,8,6,cmSrcCopy)",
                                      "TextRect(2,32,121,48,2,35,\"ccc\")",
                                      "SetStretchMode(smColorOnColor)",
                                      "CopyRect(105,0,121,16,bitmap 16x16,0,0,16,16,cmSrcCopy)",
                                      "SetStretchMode(smColorOnColor)",
                                      "CopyRect(105,16,121,32,bitmap 16x16,0,0,16,16,cmSrcCopy)",
                                  }))
        << "the down button has no picture";
    EXPECT_EQ(canvas.Calls()[0].Brush.Color(), TColor::FromRgb(0xF0E2BD));
    EXPECT_EQ(canvas.Calls()[1].Brush.Style(), TBrushStyle::bsClear);
    EXPECT_EQ(List.Canvas(), nullptr) << "only during a paint";
}

TEST_F(TextControl, Paint_OwnerDraw_OffersTheVisibleRowsWithTheirStates) {
    struct Row {
        int Index;
        TRect Rect;
        uint8_t State;
        bool operator==(const Row&) const = default;
    };
    std::vector<Row> rows;
    List.OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        EXPECT_EQ(control, nullptr);
        EXPECT_NE(List.Canvas(), nullptr);
        rows.push_back({index, rect, state.Bits()});
    };
    RecordingCanvas canvas;
    List.Paint(canvas);
    EXPECT_EQ(rows, (std::vector<Row>{{-1, {0, 0, 121, 16}, 0}})) << "the first row is always offered";
    EXPECT_TRUE(canvas.Calls().empty()) << "no fill and no default text with an owner-draw handler";

    List.SetItems(Lines(20));
    List.SetTopIndex(3);
    List.SetItemIndex(4);
    List.MouseMove(0, 10, 40); // row 2 on screen: item 5
    rows.clear();
    List.Paint(canvas);
    ASSERT_EQ(rows.size(), 7u) << "six rows and the partly visible seventh";
    EXPECT_EQ(rows[0], (Row{3, {0, 0, 121, 16}, 0}));
    EXPECT_EQ(rows[1], (Row{4, {0, 16, 121, 32}, 1}));
    EXPECT_EQ(rows[2], (Row{5, {0, 32, 121, 48}, 16}));
    EXPECT_EQ(rows[6], (Row{9, {0, 96, 121, 112}, 0}));

    List.SetTopIndex(18);
    rows.clear();
    List.Paint(canvas);
    EXPECT_EQ(rows.size(), 2u) << "stops after the last item";
}

TEST_F(TextControl, Paint_FailingOwnerDraw_EndsThePaintQuietly) {
    Fill(5);
    const TBitmap part(16, 16);
    List.ScrollDownImage().SetGraphic(&part);
    List.SetTopIndex(1);
    int drawn = 0;
    List.OnDrawItem = [&](TWinControl*, int index, TRect, TOwnerDrawState) {
        ++drawn;
        if (index == 2)
            throw std::runtime_error("damaged line");
    };
    RecordingCanvas canvas;
    EXPECT_NO_THROW(List.Paint(canvas));
    EXPECT_EQ(drawn, 2);
    EXPECT_TRUE(canvas.Calls().empty()) << "the scroll bar is not reached";
    EXPECT_EQ(List.Canvas(), nullptr);
}

TEST_F(TextControl, Paint_OneItemScrolledAway_DrawsTheThumbAtTheTopOfItsTrack) {
    Fill(1);
    const TBitmap thumb(16, 16);
    List.ScrollImage().SetGraphic(&thumb);
    List.SetTopIndex(1);
    RecordingCanvas canvas;
    List.Paint(canvas);
    EXPECT_EQ(canvas.CallsNamed("CopyRect"),
              (std::vector<std::string>{"CopyRect(105,16,121,32,bitmap 16x16,0,0,16,16,cmSrcCopy)"}));
}

TEST(TextControlPictures, LoadScrollPictures_GivesTheBuiltInParts) {
    GTextControl list;
    ASSERT_TRUE(LoadScrollPictures(list));
    EXPECT_EQ(list.ScrollUpImage().Width(), 16);
    EXPECT_EQ(list.ScrollImage().Height(), 16);
    EXPECT_NE(list.ScrollUpImage().Bitmap()->Pixel(4, 6), list.ScrollDownImage().Bitmap()->Pixel(4, 6))
        << "the arrows point in opposite directions";
    // A name the program holds no picture for leaves the picture as it was.
    EXPECT_FALSE(LoadPictureResource("NoSuchPicture", list.ScrollUpImage()));
    EXPECT_FALSE(LoadPictureResource("", list.ScrollUpImage()));
    EXPECT_EQ(list.ScrollUpImage().Width(), 16);
}

} // namespace
} // namespace orvalis
