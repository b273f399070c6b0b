#include "platform/scroll_box.h"

#include "platform/qt_keys.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace orvalis {

namespace {
// Hands the keys and focus changes of the area to the box.
class TScrollArea : public QScrollArea {
public:
    TScrollBox* Owner = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        int key = VirtualKey(e->key());
        if (Owner && key != 0) {
            Owner->KeyDown(key, ShiftOf(e->modifiers(), Qt::NoButton));
            if (key == 0)
                return;
        }
        // The area's own key handling would scroll as well; what the box leaves goes to the parent.
        e->ignore();
    }
    // A view that changes size may no longer be covered by the child (or now be).
    bool viewportEvent(QEvent* e) override {
        if (e->type() == QEvent::Resize && Owner)
            Owner->UpdateOpacity();
        return QScrollArea::viewportEvent(e);
    }
    // Tab reaches a widget here, not as a key; the box may use it before the focus moves on.
    bool focusNextPrevChild(bool next) override {
        if (Owner && hasFocus()) {
            int key = vkTab;
            Owner->KeyDown(key, next ? 0 : uint8_t(TShiftFlag::ssShift));
            if (key == 0)
                return true;
        }
        return QScrollArea::focusNextPrevChild(next);
    }
    void focusInEvent(QFocusEvent* e) override {
        QScrollArea::focusInEvent(e);
        if (Owner)
            Owner->FocusChanged();
    }
    void focusOutEvent(QFocusEvent* e) override {
        QScrollArea::focusOutEvent(e);
        if (Owner)
            Owner->FocusChanged();
    }
};

QScrollArea* AreaOf(const TScrollBox& box) {
    return static_cast<QScrollArea*>(box.Widget());
}
} // namespace

TScrollBox::TScrollBox(TWinControl* parent) : TWinControl(parent, std::make_unique<TScrollArea>()) {
    static_cast<TScrollArea*>(Widget())->Owner = this;
    QScrollArea* area = AreaOf(*this);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    FContent = new QWidget;
    FContent->resize(0, 0);
    area->setWidget(FContent);
    SetBounds(0, 0, 185, 41);
    // What the children draw for the focus (a frame round the visible part) moves with the scrolling.
    QObject::connect(area->verticalScrollBar(), &QScrollBar::valueChanged, [this] {
        if (Focused())
            InvalidateChildren();
    });
}

void TScrollBox::InvalidateChildren() {
    for (TControl* child : Controls())
        child->Invalidate();
}

// Screen readers hear of the content that the box holds the focus for (the text), not of the box.
void TScrollBox::FocusChanged() {
    InvalidateChildren();
    if (!Focused())
        return;
    for (TControl* child : Controls())
        if (child->Visible() && child->AccessibleRole() != TAccessibleRole::arDefault) {
            child->NotifyAccessibleFocus(-1);
            return;
        }
}

// The children hear a key first (a text moving between its links); the box then scrolls by its step, by
// the visible height, or to either end.
void TScrollBox::KeyDown(int& key, TShiftState shift) {
    for (TControl* child : Controls()) {
        if (key == 0)
            return;
        if (child->Visible())
            child->KeyDown(key, shift);
    }
    TWinControl::KeyDown(key, shift);
    if (key == 0 || (shift & ~uint8_t(TShiftFlag::ssShift)) != 0)
        return;
    QScrollBar* bar = AreaOf(*this)->verticalScrollBar();
    const int page = AreaOf(*this)->viewport()->height();
    switch (key) {
    case vkUp:
        bar->setValue(bar->value() - VertScrollIncrement());
        break;
    case vkDown:
        bar->setValue(bar->value() + VertScrollIncrement());
        break;
    case vkPrior:
        bar->setValue(bar->value() - page);
        break;
    case vkNext:
        bar->setValue(bar->value() + page);
        break;
    case vkHome:
        bar->setValue(bar->minimum());
        break;
    case vkEnd:
        bar->setValue(bar->maximum());
        break;
    default:
        return;
    }
    key = 0;
}

TRect TScrollBox::VisibleRect() const {
    const QWidget* viewport = AreaOf(*this)->viewport();
    return Bounds(HorzScrollPosition(), VertScrollPosition(), viewport->width(), viewport->height());
}

void TScrollBox::ScrollInView(const TRect& rect) {
    QScrollBar* bar = AreaOf(*this)->verticalScrollBar();
    const int height = AreaOf(*this)->viewport()->height();
    if (rect.Bottom > bar->value() + height)
        bar->setValue(rect.Bottom - height);
    if (rect.Top < bar->value())
        bar->setValue(rect.Top);
}

QWidget* TScrollBox::ContainerWidget() const {
    return FContent;
}

TSize TScrollBox::ContentSize() const {
    TSize size;
    for (TControl* c : Controls()) {
        if (!c->Visible())
            continue;
        size.cx = std::max(size.cx, c->Left() + c->Width());
        size.cy = std::max(size.cy, c->Top() + c->Height());
    }
    return size;
}

// The bar is shown when the children reach below the box, the horizontal one never taking its place; the
// area is worked out from the children, not read from the view, so that it holds before the box is shown
// and before the bar is laid out.
TRect TScrollBox::AlignArea() const {
    const QScrollArea* area = AreaOf(*this);
    const Qt::ScrollBarPolicy policy = area->verticalScrollBarPolicy();
    const bool bar =
        policy == Qt::ScrollBarAlwaysOn || (policy == Qt::ScrollBarAsNeeded && ContentSize().cy > Height());
    const int barWidth = bar ? area->verticalScrollBar()->sizeHint().width() : 0;
    return {0, 0, std::max(Width() - barWidth, 0), Height()};
}

void TScrollBox::ControlBoundsChanged(TControl*) {
    const TSize size = ContentSize();
    FContent->resize(size.cx, size.cy);
    UpdateOpacity();
}

// The box counts as opaque while one opaque child covers everything that can scroll into view: the child then
// paints every pixel of the view and the scroll bars paint their own, so what lies under the box (a page
// picture) need not be painted. A short text leaves part of the view to what lies under it.
void TScrollBox::UpdateOpacity() {
    const QScrollArea* area = AreaOf(*this);
    const QWidget* view = area->viewport();
    const QRect reach(0, 0, std::max(view->width(), FContent->width()),
                      std::max(view->height(), FContent->height()));
    bool covered = false;
    for (TControl* child : Controls())
        if (child->Visible() && child->Widget()->testAttribute(Qt::WA_OpaquePaintEvent) &&
            child->Widget()->geometry().contains(reach))
            covered = true;
    // With both bars shown, the corner between them is nobody's to paint.
    const bool corner = area->horizontalScrollBar()->isVisible() && area->verticalScrollBar()->isVisible();
    SetOpaque(covered && !corner && view->pos() == QPoint(0, 0));
}

int TScrollBox::HorzScrollPosition() const {
    return AreaOf(*this)->horizontalScrollBar()->value();
}
void TScrollBox::SetHorzScrollPosition(int value) {
    AreaOf(*this)->horizontalScrollBar()->setValue(value);
}
int TScrollBox::VertScrollPosition() const {
    return AreaOf(*this)->verticalScrollBar()->value();
}
void TScrollBox::SetVertScrollPosition(int value) {
    AreaOf(*this)->verticalScrollBar()->setValue(value);
}
bool TScrollBox::HorzScrollBarVisible() const {
    return AreaOf(*this)->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

void TScrollBox::SetHorzScrollBarVisible(bool value) {
    AreaOf(*this)->setHorizontalScrollBarPolicy(value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

int TScrollBox::VertScrollIncrement() const {
    return AreaOf(*this)->verticalScrollBar()->singleStep();
}
void TScrollBox::SetVertScrollIncrement(int value) {
    AreaOf(*this)->verticalScrollBar()->setSingleStep(value);
}

void TScrollBox::RequestBounds(int left, int top, int width, int height) {
    bool resize = true;
    if (OnCanResize)
        OnCanResize(this, width, height, resize);
    if (resize)
        SetBounds(left, top, width, height);
}

} // namespace orvalis
