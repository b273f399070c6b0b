#include "platform/scroll_box.h"

#include <QScrollArea>
#include <QScrollBar>

namespace orvalis {

namespace {
QScrollArea* AreaOf(const TScrollBox& box) {
    return static_cast<QScrollArea*>(box.Widget());
}
} // namespace

TScrollBox::TScrollBox(TWinControl* parent) : TWinControl(parent, std::make_unique<QScrollArea>()) {
    QScrollArea* area = AreaOf(*this);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    FContent = new QWidget;
    FContent->resize(0, 0);
    area->setWidget(FContent);
    SetBounds(0, 0, 185, 41);
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

void TScrollBox::ControlBoundsChanged(TControl*) {
    const TSize size = ContentSize();
    FContent->resize(size.cx, size.cy);
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
