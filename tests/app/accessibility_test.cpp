// What screen readers see of the real main window, read in-process through Qt's accessibility interfaces:
// roles, names, states, actions, the topic's text and links, and the focus announcements.
#include "app/about_box.h"
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "controls/gauge.h"
#include "db_fixture.h"
#include "platform/edit.h"
#include "platform/label.h"
#include "platform/page_stack.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "window_events.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace orvalis {
namespace {

QAccessibleInterface* Of(const TControl* control) {
    return QAccessible::queryAccessibleInterface(control->Widget());
}

QString Name(QAccessibleInterface* item) {
    return item ? item->text(QAccessible::Name) : QString();
}

// The first object of the tree below `root` (depth first) with the role and name.
QAccessibleInterface* Find(QAccessibleInterface* root, QAccessible::Role role, const QString& name) {
    if (!root)
        return nullptr;
    if (root->role() == role && Name(root) == name)
        return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface* found = Find(root->child(i), role, name))
            return found;
    return nullptr;
}

void Press(QAccessibleInterface* item) {
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->actionInterface(), nullptr);
    ASSERT_TRUE(item->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

class AccessibilityTest : public testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(Folder.File("D/iDbRecs.dat"),
                         test::Encode({{1, "1|Acne",
                                        "Zie <B>ook</B> <A HREF=puistjes>puistjes {en}</A> en "
                                        "<A HREF=talg>talg</A>."},
                                       {2, "1|Brandwond", "Koel."},
                                       {200, "4|Puistjes", "Ontstoken talgklieren."}}));
        Form = std::make_unique<TMainForm>();
        Form->ShowWindow();
        test::Activate(*Form);
    }
    void TearDown() override {
        Form.reset();
        SetScreenVariant(0);
    }
    test::ProgramFolder Folder;
    TScreenOverride Screen640{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
    std::unique_ptr<TMainForm> Form;
};

TEST_F(AccessibilityTest, Buttons_ArePushButtonsNamedByCaptionOrHintWithStatesAndAPressAction) {
    TMainForm& form = *Form;
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form.Widget());
    QAccessibleInterface* entry = Find(window, QAccessible::Button, "Orvalis");
    ASSERT_NE(entry, nullptr) << "the intro buttons are reached from the window, by name";
    EXPECT_EQ(entry, Of(form.Intro->EntryIntroBtn));
    EXPECT_FALSE(entry->state().disabled);
    EXPECT_EQ(Name(Of(form.InfoBtn)), "Geeft informatie over Orvalis") << "no caption: named by the hint";

    Press(entry);
    EXPECT_EQ(form.MainPages->ActivePage(), form.MainPage);
    QAccessibleInterface* z = Of(form.Contents->BaseBtns['Z' - 'A']);
    EXPECT_EQ(Name(z), "Z");
    EXPECT_TRUE(z->state().disabled);
    EXPECT_FALSE(z->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_TRUE(Of(form.Topic->MainInfoBtn)->state().disabled);

    TAboutBox box;
    EXPECT_EQ(Of(box.VeldhavenSBtn)->role(), QAccessible::Button);
    EXPECT_EQ(Name(Of(box.VeldhavenSBtn)), "Ga naar de website van uitgeverij Veldhaven");
}

TEST_F(AccessibilityTest, Lists_NameItemsByTitleShowTheSelectionAndSelectThroughTheAction) {
    TMainForm& form = *Form;
    test::Click(form.Intro->EntryIntroBtn);
    QAccessibleInterface* list = Of(form.Contents->ContentLst);
    ASSERT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 2);
    QAccessibleInterface* acne = list->child(0);
    QAccessibleInterface* brandwond = list->child(1);
    EXPECT_EQ(acne->role(), QAccessible::ListItem);
    EXPECT_EQ(Name(acne), "Acne") << "the title only, never the ordinal before it";
    EXPECT_EQ(Name(brandwond), "Brandwond");
    EXPECT_TRUE(acne->state().selected);
    EXPECT_FALSE(brandwond->state().selected);
    EXPECT_EQ(list->indexOfChild(brandwond), 1);
    EXPECT_EQ(acne->parent(), list);

    Press(brandwond);
    EXPECT_EQ(form.Topic->MainTextHeaderLbl->Caption(), "Brandwond");
    EXPECT_TRUE(brandwond->state().selected);
    EXPECT_FALSE(acne->state().selected);
    EXPECT_EQ(Of(form.Topic->MainTextHeaderLbl)->role(), QAccessible::StaticText);
    EXPECT_EQ(Name(Of(form.Topic->MainTextHeaderLbl)), "Brandwond");
    EXPECT_NE(Of(form.Topic->MainTextHeaderBkLbl)->role(), QAccessible::StaticText)
        << "its shadow is not read out";
}

TEST_F(AccessibilityTest, Text_IsThePlainTopicWithItsLinksAsChildrenThatFollowThem) {
    TMainForm& form = *Form;
    test::Click(form.Intro->EntryIntroBtn);
    QAccessibleInterface* text = Of(form.Topic->MainText);
    ASSERT_EQ(text->role(), QAccessible::EditableText);
    EXPECT_TRUE(text->state().readOnly);
    QAccessibleTextInterface* plain = text->textInterface();
    ASSERT_NE(plain, nullptr);
    const QString expected = "Zie ook puistjes en en talg.";
    EXPECT_EQ(plain->characterCount(), expected.size());
    EXPECT_EQ(plain->text(0, plain->characterCount()), expected) << "tags and braces left out";
    EXPECT_EQ(plain->text(4, 7), "ook");

    ASSERT_EQ(text->childCount(), 2);
    QAccessibleInterface* link = text->child(0);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(Name(link), "puistjes en") << "named by its words, braces left out as in the text";
    EXPECT_EQ(Name(text->child(1)), "talg");
    Press(link);
    EXPECT_TRUE(form.State.Has(nfHyperLink));
    EXPECT_EQ(form.Search->SearchEdit->Text(), "puistjes");

    QAccessibleInterface* gauge = Of(form.Search->SearchGauge);
    EXPECT_EQ(gauge->role(), QAccessible::ProgressBar);
    ASSERT_NE(gauge->valueInterface(), nullptr);
    EXPECT_EQ(gauge->valueInterface()->currentValue().toInt(), form.Search->SearchGauge->Progress());
    EXPECT_EQ(gauge->valueInterface()->maximumValue().toInt(), form.Search->SearchGauge->MaxValue());
}

// A screen reader asks the object that a focus event names for its state and for its focused child; those
// follow the keyboard (the events themselves go out only to a screen readers' bridge, absent here).
TEST_F(AccessibilityTest, KeyboardFocus_IsTheFocusedChildOfTheListAndOfTheText) {
    TMainForm& form = *Form;
    test::Click(form.Intro->EntryIntroBtn);
    const auto key = [&form](Qt::Key k) { test::Key(form.Widget(), k); };
    QAccessibleInterface* list = Of(form.Contents->ContentLst);
    form.Contents->ContentLst->SetFocus();
    ASSERT_TRUE(form.Contents->ContentLst->Focused());
    key(Qt::Key_Down);
    EXPECT_EQ(Name(list->focusChild()), "Brandwond");
    EXPECT_TRUE(list->child(1)->state().focused);
    EXPECT_FALSE(list->child(0)->state().focused);
    key(Qt::Key_Up);
    EXPECT_EQ(Name(list->focusChild()), "Acne");

    QAccessibleInterface* text = Of(form.Topic->MainText);
    EXPECT_FALSE(text->state().focused);
    form.Topic->MainTextCtrl->SetFocus();
    EXPECT_TRUE(text->state().focused) << "the text, whose scroll box holds the focus for it";
    EXPECT_EQ(text->focusChild(), nullptr) << "no link is focused yet";
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    EXPECT_EQ(Name(text->focusChild()), "talg");
    EXPECT_TRUE(text->child(1)->state().focused);
    form.Contents->ContentLst->SetFocus();
    EXPECT_FALSE(text->child(1)->state().focused) << "only while the text has the focus";
}

} // namespace
} // namespace orvalis
