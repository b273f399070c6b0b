#include "platform/edit.h"
#include "platform/scroll_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(Edit, TextIsWindows1252AndKeysReachOnKeyDownWithShift) {
    TEdit edit;
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    edit.SetText("caf\xE9 \x80");
    EXPECT_EQ(edit.Text(), "caf\xE9 \x80");
    EXPECT_EQ(static_cast<QLineEdit*>(edit.Widget())->text(), QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_EQ(changes, 1);
    edit.SelectAll();
    EXPECT_EQ(static_cast<QLineEdit*>(edit.Widget())->selectedText().size(), 6);

    std::vector<std::pair<int, TShiftState>> keys;
    edit.OnKeyDown = [&](TObject*, int& key, TShiftState shift) {
        keys.emplace_back(key, shift);
        if (key == vkReturn)
            key = 0;
    };
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier);
    QApplication::sendEvent(edit.Widget(), &enter);
    QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(edit.Widget(), &a);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], (std::pair<int, TShiftState>{vkReturn, uint8_t(TShiftFlag::ssShift)}));
    EXPECT_EQ(keys[1].first, 'A');
    EXPECT_EQ(edit.Text(), "a") << "the selection was replaced by the typed letter";

    static_cast<QLineEdit*>(edit.Widget())->insert(QString::fromUtf8("\xE2\x86\x92"));
    EXPECT_EQ(edit.Text(), "a") << "an arrow has no Windows-1252 byte and is refused";
}

TEST(ScrollBox, ContentFollowsTheChildrenAndScrollPositionsAreKept) {
    TScrollBox box;
    box.SetBounds(0, 0, 100, 50);
    auto* child = new TControl(&box);
    child->SetBounds(0, 0, 80, 400);
    EXPECT_EQ(box.ContentSize(), (TSize{80, 400}));
    box.Widget()->show();
    QApplication::processEvents();
    box.SetVertScrollIncrement(16);
    EXPECT_EQ(box.VertScrollIncrement(), 16);
    box.SetVertScrollPosition(120);
    EXPECT_EQ(box.VertScrollPosition(), 120);
    box.SetVertScrollPosition(100000);
    EXPECT_LT(box.VertScrollPosition(), 400) << "never beyond the content";
    box.SetHorzScrollPosition(10);
    EXPECT_EQ(box.HorzScrollPosition(), 0) << "the content is not wider than the box";

    box.OnCanResize = [](TObject*, int& w, int&, bool& resize) {
        resize = w >= 60;
        w = std::min(w, 150);
    };
    box.RequestBounds(0, 0, 40, 40);
    EXPECT_EQ(box.Width(), 100);
    box.RequestBounds(0, 0, 300, 40);
    EXPECT_EQ(box.Width(), 150);
    box.Widget()->hide();
}

TEST(ScrollBox, Opaque_WhileAnOpaqueChildCoversAllThatCanScrollIntoView) {
    TScrollBox box;
    box.SetBounds(0, 0, 100, 50);
    box.SetHorzScrollBarVisible(false);
    auto* child = new TControl(&box);
    child->SetOpaque(true);
    const auto opaque = [&box] { return box.Widget()->testAttribute(Qt::WA_OpaquePaintEvent); };
    box.Widget()->show();
    child->SetBounds(0, 0, 100, 400);
    QApplication::processEvents();
    EXPECT_TRUE(opaque()) << "a long text: the bar paints its strip";
    child->SetBounds(0, 0, 100, 30);
    QApplication::processEvents();
    EXPECT_FALSE(opaque()) << "a short text leaves the view's lower part to what lies under the box";
    child->SetBounds(0, 0, 100, 50);
    QApplication::processEvents();
    EXPECT_TRUE(opaque());
    box.SetBounds(0, 0, 100, 80);
    QApplication::processEvents();
    EXPECT_FALSE(opaque()) << "the view grew past the child";
    child->SetOpaque(false);
    child->SetBounds(0, 0, 100, 400);
    QApplication::processEvents();
    EXPECT_FALSE(opaque()) << "a child that does not paint every pixel";
    box.Widget()->hide();
}

} // namespace
} // namespace orvalis
