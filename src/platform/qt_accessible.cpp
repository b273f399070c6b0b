#include "platform/qt_accessible.h"
#include "platform/control.h"
#include "platform/qt_text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <map>
#include <optional>

namespace orvalis {

namespace {

QAccessible::Role RoleOf(TAccessibleRole role) {
    switch (role) {
    case TAccessibleRole::arPushButton:
        return QAccessible::Button;
    case TAccessibleRole::arList:
        return QAccessible::List;
    case TAccessibleRole::arListItem:
        return QAccessible::ListItem;
    case TAccessibleRole::arStaticText:
        return QAccessible::StaticText;
    case TAccessibleRole::arText:
        // A read-only text of many lines, as the window system's own text views show one.
        return QAccessible::EditableText;
    case TAccessibleRole::arLink:
        return QAccessible::Link;
    case TAccessibleRole::arProgressBar:
        return QAccessible::ProgressBar;
    case TAccessibleRole::arDefault:
        break;
    }
    return QAccessible::Client;
}

QRect GlobalRect(const QWidget& widget, const TRect& r) {
    return QRect(widget.mapToGlobal(QPoint(r.Left, r.Top)), QSize(r.Width(), r.Height()));
}

// One item of a control: it asks the control afresh at every question, so it always tells the current
// state, and becomes invalid when the control has fewer items than its index.
class TItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TItemAccessible(QWidget* widget, TControl& control, int index)
        : FWidget(widget), FControl(control), FIndex(index) {}

    std::optional<TAccessibleItem> Item() const {
        if (!FWidget)
            return std::nullopt;
        std::vector<TAccessibleItem> items = FControl.AccessibleItems();
        if (FIndex >= static_cast<int>(items.size()))
            return std::nullopt;
        return std::move(items[static_cast<size_t>(FIndex)]);
    }

    bool isValid() const override { return Item().has_value(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FWidget ? FWidget->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return FWidget ? QAccessible::queryAccessibleInterface(FWidget) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        const auto item = Item();
        return item && t == QAccessible::Name ? FromCp1252(item->Name) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const auto item = Item();
        return item ? GlobalRect(*FWidget, item->Bounds) : QRect();
    }
    QAccessible::Role role() const override {
        const auto item = Item();
        return item ? RoleOf(item->Role) : QAccessible::NoRole;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        const auto item = Item();
        if (!item) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.focused = item->Focused;
        s.selectable = item->Role == TAccessibleRole::arListItem;
        s.selected = item->Selected;
        s.linked = item->Role == TAccessibleRole::arLink;
        const TRect& b = item->Bounds;
        const QRect visible = FWidget->visibleRegion().boundingRect();
        s.offscreen = !visible.intersects(QRect(b.Left, b.Top, b.Width(), b.Height()));
        s.invisible = !FWidget->isVisible();
        s.disabled = !FWidget->isEnabled();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && FWidget && FWidget->isEnabled() && isValid())
            FControl.AccessibleAction(FIndex);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QWidget> FWidget;
    TControl& FControl;
    int FIndex;
};

class TControlAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleValueInterface {
public:
    TControlAccessible(QWidget* widget, TControl& control)
        : QAccessibleWidget(widget, RoleOf(control.AccessibleRole())), FControl(control) {}
    ~TControlAccessible() override {
        for (const auto& [index, id] : FItems)
            QAccessible::deleteAccessibleInterface(id);
    }

    int ItemCount() const { return static_cast<int>(FControl.AccessibleItems().size()); }
    QAccessibleInterface* Item(int index) const {
        if (index < 0 || index >= ItemCount())
            return nullptr;
        auto found = FItems.find(index);
        if (found == FItems.end()) {
            auto* item = new TItemAccessible(widget(), FControl, index);
            found = FItems.emplace(index, QAccessible::registerAccessibleInterface(item)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }

    int childCount() const override { return QAccessibleWidget::childCount() + ItemCount(); }
    QAccessibleInterface* child(int index) const override {
        const int widgets = QAccessibleWidget::childCount();
        return index < widgets ? QAccessibleWidget::child(index) : Item(index - widgets);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [index, id] : FItems)
            if (QAccessible::accessibleInterface(id) == child)
                return index < ItemCount() ? QAccessibleWidget::childCount() + index : -1;
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const std::vector<TAccessibleItem> items = FControl.AccessibleItems();
        for (size_t i = 0; i < items.size(); ++i)
            if (GlobalRect(*widget(), items[i].Bounds).contains(x, y))
                return Item(static_cast<int>(i));
        return QAccessibleWidget::childAt(x, y);
    }
    QAccessibleInterface* focusChild() const override {
        const std::vector<TAccessibleItem> items = FControl.AccessibleItems();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].Focused)
                return Item(static_cast<int>(i));
        return QAccessibleWidget::focusChild();
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            if (const std::string name = FControl.AccessibleName(); !name.empty())
                return FromCp1252(name);
        }
        if (t == QAccessible::Value && role() == QAccessible::ProgressBar)
            return QString::number(FControl.AccessibleValue().Value);
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focused = FControl.AccessibleFocused();
        if (role() == QAccessible::EditableText) {
            s.readOnly = true;
            s.multiLine = true;
            s.focusable = true;
        }
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && role() == QAccessible::EditableText)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::ValueInterface && role() == QAccessible::ProgressBar)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (role() == QAccessible::Button && widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && role() == QAccessible::Button) {
            if (widget()->isEnabled())
                FControl.AccessibleAction(-1);
            return;
        }
        QAccessibleWidget::doAction(name);
    }

    // The text of a control of role arText, read only.
    QString Text() const { return FromCp1252(FControl.AccessibleText()); }
    void addSelection(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }
    int cursorPosition() const override { return 0; }
    QRect characterRect(int) const override { return {}; }
    int selectionCount() const override { return 0; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    QString text(int startOffset, int endOffset) const override {
        const QString all = Text();
        startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
        endOffset = endOffset < 0 ? static_cast<int>(all.size())
                                  : std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Text().size()); }
    void removeSelection(int) override {}
    void setCursorPosition(int) override {}
    void setSelection(int, int, int) override {}
    void scrollToSubstring(int, int) override {}

    QVariant currentValue() const override { return FControl.AccessibleValue().Value; }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return FControl.AccessibleValue().Max; }
    QVariant minimumValue() const override { return FControl.AccessibleValue().Min; }
    QVariant minimumStepSize() const override { return 1; }

private:
    TControl& FControl;
    // The items asked for so far, by index.
    mutable std::map<int, QAccessible::Id> FItems;
};

} // namespace

QAccessibleInterface* ControlAccessible(TControl& control, QWidget* widget) {
    if (control.AccessibleRole() == TAccessibleRole::arDefault && control.AccessibleItems().empty())
        return nullptr;
    return new TControlAccessible(widget, control);
}

// Qt announces the focus of widgets itself; items have no widget of their own.
void TControl::NotifyAccessibleFocus(int item) const {
    QAccessibleInterface* self = QAccessible::queryAccessibleInterface(Widget());
    if (!self)
        return;
    QAccessibleInterface* target = self;
    if (item >= 0) {
        auto* accessible = dynamic_cast<TControlAccessible*>(self);
        target = accessible ? accessible->Item(item) : nullptr;
    }
    if (!target)
        return;
    QAccessibleEvent event(target, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

} // namespace orvalis
