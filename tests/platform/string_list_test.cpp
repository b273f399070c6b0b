#include "platform/control.h"
#include "platform/mouse.h"
#include "platform/string_list.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(StringList, ReportsEveryChange_OnceForAnUpdateBracket) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("b");
    list.Insert(0, "a");
    list.Insert(2, "c");
    list.SetString(1, "B");
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "B", "c"}));
    EXPECT_EQ(changes, 4);
    list.Insert(9, "x");
    list.Delete(-1);
    list.SetString(3, "y");
    EXPECT_EQ(changes, 4) << "indices outside the list change nothing";
    EXPECT_EQ(list[7], "");

    list.BeginUpdate();
    list.BeginUpdate();
    list.Delete(0);
    list.Add("d");
    list.EndUpdate();
    EXPECT_EQ(changes, 4) << "still inside the outer bracket";
    list.EndUpdate();
    EXPECT_EQ(changes, 5);
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(changes, 5) << "an empty bracket reports nothing";

    list.Assign(list.Lines());
    EXPECT_EQ(changes, 6) << "assigning always reports";
    list.Clear();
    list.Clear();
    EXPECT_EQ(changes, 7) << "clearing an empty list does not";
    EXPECT_TRUE(list.Empty());
}

TEST(ControlCoordinates, ClientToScreenAndBack_ThroughNestedParents) {
    TWinControl window;
    window.SetBounds(0, 0, 400, 300);
    auto* panel = new TWinControl(&window);
    panel->SetBounds(20, 30, 200, 200);
    auto* inner = new TControl(panel);
    inner->SetBounds(5, 7, 50, 50);
    auto* sibling = new TControl(&window);
    sibling->SetBounds(100, 10, 50, 50);
    const TPoint screen = inner->ClientToScreen({1, 2});
    EXPECT_EQ(window.ScreenToClient(screen), (TPoint{26, 39}));
    EXPECT_EQ(sibling->ScreenToClient(screen), (TPoint{-74, 29}));
    EXPECT_EQ(inner->ScreenToClient(screen), (TPoint{1, 2}));
}

TEST(MouseCursorPos, OverrideStandsInForThePointer) {
    Mouse().SetCursorPosOverride(TPoint{12, 34});
    EXPECT_EQ(Mouse().CursorPos(), (TPoint{12, 34}));
    Mouse().SetCursorPosOverride(std::nullopt);
}

} // namespace
} // namespace orvalis
