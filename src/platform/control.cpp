#include "platform/control.h"
#include "platform/canvas.h"
#include "platform/qt_accessible.h"
#include "platform/qt_canvas.h"
#include "platform/qt_cursor.h"
#include "platform/qt_keys.h"
#include "platform/qt_text.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

namespace orvalis {

namespace {
TMouseButton ButtonOf(Qt::MouseButton b) {
    return b == Qt::RightButton     ? TMouseButton::mbRight
           : b == Qt::MiddleButton  ? TMouseButton::mbMiddle
           : b == Qt::BackButton    ? TMouseButton::mbBack
           : b == Qt::ForwardButton ? TMouseButton::mbForward
                                    : TMouseButton::mbLeft;
}

bool IsWithin(const TControl* control, const TControl* container) {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == container)
            return true;
    return false;
}

// The controls the pointer is in, outermost first. The window system does not always report a leave (a
// fast move out of the window, a pop-up taking the pointer), so a control is also left when the pointer
// enters a control outside it, and every control of a window when the window loses the pointer.
std::vector<TControl*>& Hovered() {
    static std::vector<TControl*> controls;
    return controls;
}

// Leaves the hovered controls inside the container (the container itself when `self`), innermost first.
void LeaveHovered(const TControl* container, bool self) {
    std::vector<TControl*>& hovered = Hovered();
    for (size_t i = hovered.size(); i-- > 0;) {
        if (i >= hovered.size())
            continue;
        TControl* control = hovered[i];
        if (!IsWithin(control, container) || (!self && control == container))
            continue;
        hovered.erase(hovered.begin() + static_cast<std::ptrdiff_t>(i));
        control->MouseLeave();
    }
}

void EnterControl(TControl& control) {
    std::vector<TControl*>& hovered = Hovered();
    for (size_t i = hovered.size(); i-- > 0;) {
        if (i >= hovered.size() || IsWithin(&control, hovered[i]))
            continue;
        TControl* outside = hovered[i];
        hovered.erase(hovered.begin() + static_cast<std::ptrdiff_t>(i));
        outside->MouseLeave();
    }
    if (std::find(hovered.begin(), hovered.end(), &control) == hovered.end())
        hovered.push_back(&control);
    control.MouseEnter();
}

// A leave the window system reports reaches the control even when it was not seen entering (a control
// shown under the pointer as if entered).
void LeaveControl(TControl& control) {
    LeaveHovered(&control, false);
    std::vector<TControl*>& hovered = Hovered();
    hovered.erase(std::remove(hovered.begin(), hovered.end(), &control), hovered.end());
    control.MouseLeave();
}

// The widget under a control: it hands paints and mouse reports to the control.
class TControlWidget : public QWidget {
public:
    explicit TControlWidget(TControl& control) : FControl(control) {
        setMouseTracking(true);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    TControl& Control() const { return FControl; }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter painter(this);
        // A few small parts far apart (labels and a gauge over a page picture) are painted one by one, so
        // that a control copying a picture copies only their pixels, not the whole rectangle around them.
        const QRegion& region = e->region();
        const QRect bounds = region.boundingRect();
        if (region.rectCount() > 1 && region.rectCount() <= MaxPaintParts &&
            2 * Area(region) < int64_t(bounds.width()) * bounds.height()) {
            for (const QRect& part : region) {
                painter.save();
                painter.setClipRect(part);
                PaintPart(painter, part);
                painter.restore();
            }
        } else {
            PaintPart(painter, bounds);
        }
    }
    void PaintPart(QPainter& painter, const QRect& part) {
        QtCanvas canvas(&painter);
        if (part != rect())
            canvas.SetPaintRect(TRect{part.left(), part.top(), part.right() + 1, part.bottom() + 1});
        canvas.Font() = FControl.Font();
        canvas.Brush().SetColor(FControl.Color());
        FControl.Paint(canvas);
        if (hasFocus() && KeyboardCues())
            canvas.DrawFocusRect(FControl.ClientRect());
    }
    static constexpr int MaxPaintParts = 8;
    static int64_t Area(const QRegion& region) {
        int64_t area = 0;
        for (const QRect& r : region)
            area += int64_t(r.width()) * r.height();
        return area;
    }
    void keyPressEvent(QKeyEvent* e) override {
        const TPaintBatch batch;
        int key = VirtualKey(e->key());
        if (key != 0) {
            FControl.KeyDown(key, ShiftOf(e->modifiers(), Qt::NoButton));
            if (key == 0)
                return;
        }
        // Not used here: the parent hears of it.
        QWidget::keyPressEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override {
        QWidget::focusInEvent(e);
        FControl.FocusChanged();
    }
    void focusOutEvent(QFocusEvent* e) override {
        QWidget::focusOutEvent(e);
        FControl.FocusChanged();
    }
    void mousePressEvent(QMouseEvent* e) override {
        const TPaintBatch batch;
        const QPoint p = e->position().toPoint();
        if (e->button() == Qt::LeftButton)
            FPressedInside = true;
        FControl.MouseDown(ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        const TPaintBatch batch;
        mousePressEvent(e);
        if (e->button() == Qt::LeftButton)
            FControl.DblClick();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const TPaintBatch batch;
        const QPoint p = e->position().toPoint();
        FControl.MouseMove(ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const TPaintBatch batch;
        const QPoint p = e->position().toPoint();
        const bool click = e->button() == Qt::LeftButton && FPressedInside && rect().contains(p);
        if (e->button() == Qt::LeftButton)
            FPressedInside = false;
        FControl.MouseUp(ButtonOf(e->button()), ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y());
        if (click)
            FControl.Click();
    }
    void enterEvent(QEnterEvent*) override {
        const TPaintBatch batch;
        EnterControl(FControl);
    }
    void leaveEvent(QEvent*) override {
        const TPaintBatch batch;
        LeaveControl(FControl);
    }
    void wheelEvent(QWheelEvent* e) override {
        // Notches of 120 eighths of a degree; a fine-grained wheel adds up until it makes a whole one.
        FWheelRest += e->angleDelta().y();
        const int notches = FWheelRest / 120;
        FWheelRest %= 120;
        // Part of a notch goes on to the parent, which may scroll by it (a scroll box under a text).
        if (notches == 0) {
            e->ignore();
            return;
        }
        const TPaintBatch batch;
        const QPoint p = e->position().toPoint();
        if (!FControl.MouseWheel(notches, ShiftOf(e->modifiers(), e->buttons()), p.x(), p.y()))
            e->ignore();
    }

private:
    TControl& FControl;
    bool FPressedInside = false;
    int FWheelRest = 0;
};
bool GKeyboardCues = false;

// Screen readers see the program's own controls as the controls describe themselves.
QAccessibleInterface* ControlWidgetAccessible(const QString&, QObject* object) {
    if (auto* widget = dynamic_cast<TControlWidget*>(object))
        return ControlAccessible(widget->Control(), widget);
    return nullptr;
}
} // namespace

bool KeyboardCues() {
    return GKeyboardCues;
}

void ShowKeyboardCues() {
    if (GKeyboardCues)
        return;
    GKeyboardCues = true;
    if (QWidget* focused = QApplication::focusWidget())
        focused->update();
}

namespace {
constexpr const char* ControlProperty = "orvalisControl";
} // namespace

TControl* FocusedControl() {
    const QWidget* focused = QApplication::focusWidget();
    return focused ? static_cast<TControl*>(focused->property(ControlProperty).value<void*>()) : nullptr;
}

TControl::TControl(TWinControl* parent) : TControl(parent, nullptr) {}

TControl::TControl(TWinControl* parent, std::unique_ptr<QWidget> widget) : FWidget(std::move(widget)) {
    static const bool accessible = [] {
        QAccessible::installFactory(ControlWidgetAccessible);
        return true;
    }();
    (void)accessible;
    if (!FWidget)
        FWidget = std::make_unique<TControlWidget>(*this);
    FWidget->setProperty(ControlProperty, QVariant::fromValue(static_cast<void*>(this)));
    FFont.OnChange = [this](TObject*) {
        if (!FFollowingParent)
            FParentFont = false;
        if (auto* self = dynamic_cast<TWinControl*>(this))
            for (TControl* child : self->Controls())
                child->ParentChanged();
        Changed();
    };
    SetParent(parent);
}

TControl::~TControl() {
    if (FParent) {
        auto& siblings = FParent->FControls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    FFont.OnChange = nullptr;
    std::vector<TControl*>& hovered = Hovered();
    hovered.erase(std::remove(hovered.begin(), hovered.end(), this), hovered.end());
}

void TControl::LeaveHover() {
    const TPaintBatch batch;
    LeaveHovered(this, true);
}

QWidget* TControl::Widget() const {
    return FWidget.get();
}

void TControl::SetParent(TWinControl* parent) {
    if (FParent == parent)
        return;
    if (FParent) {
        auto& siblings = FParent->FControls;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    FParent = parent;
    FWidget->setParent(parent ? parent->ContainerWidget() : nullptr);
    if (parent) {
        parent->FControls.push_back(this);
        FWidget->setVisible(FVisible);
        ParentChanged();
        parent->AlignControls();
    }
    ApplyBounds();
}

void TControl::ApplyBounds() {
    FWidget->setGeometry(Left(), Top(), std::max(Width(), 0), std::max(Height(), 0));
}

void TControl::SetBounds(int left, int top, int width, int height) {
    const TRect bounds = Bounds(left, top, std::max(width, 0), std::max(height, 0));
    if (bounds == FBounds)
        return;
    FBounds = bounds;
    ApplyBounds();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        self->AlignControls();
    if (FParent && FAlign != TAlign::alNone)
        FParent->AlignControls();
    if (FParent)
        FParent->ControlBoundsChanged(this);
}

TPoint TControl::ClientToScreen(TPoint point) const {
    const QPoint p = FWidget->mapToGlobal(QPoint(point.X, point.Y));
    return {p.x(), p.y()};
}

TPoint TControl::ScreenToClient(TPoint point) const {
    const QPoint p = FWidget->mapFromGlobal(QPoint(point.X, point.Y));
    return {p.x(), p.y()};
}

void TControl::SetAlign(TAlign value) {
    if (FAlign == value)
        return;
    FAlign = value;
    if (FParent)
        FParent->AlignControls();
}

void TControl::SetVisible(bool value) {
    if (FVisible == value)
        return;
    FVisible = value;
    if (FParent)
        FWidget->setVisible(value);
    if (FParent && FAlign != TAlign::alNone)
        FParent->AlignControls();
}

void TControl::SetEnabled(bool value) {
    if (FEnabled == value)
        return;
    FEnabled = value;
    FWidget->setEnabled(value);
    Invalidate();
}

void TControl::SetCursor(TCursor value) {
    if (FCursor == value)
        return;
    FCursor = value;
    ApplyCursor(*FWidget, value);
}

TColor TControl::Color() const {
    return FParentColor && FParent ? FParent->Color() : FColor;
}

void TControl::SetColor(TColor value) {
    if (FColor == value && !FParentColor)
        return;
    FColor = value;
    FParentColor = false;
    Changed();
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (TControl* child : self->Controls())
            child->ParentChanged();
}

void TControl::SetParentFont(bool value) {
    if (FParentFont == value)
        return;
    FParentFont = value;
    if (value)
        ParentChanged();
}

void TControl::ParentChanged() {
    if (!FParent)
        return;
    if (FParentFont) {
        FFollowingParent = true;
        FFont.Assign(FParent->Font());
        FFollowingParent = false;
    }
    if (FParentColor)
        Changed();
}

void TControl::ApplyHint() {
    FWidget->setToolTip(FShowHint ? FromCp1252(FHint) : QString());
}

void TControl::EndLoading() {
    FLoading = false;
    Invalidate();
}

bool TControl::Focused() const {
    return FWidget->hasFocus();
}

bool TControl::TabStop() const {
    return (FWidget->focusPolicy() & Qt::TabFocus) != 0;
}

void TControl::SetTabStop(bool value) {
    FWidget->setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
}

bool TControl::Showing() const {
    return FWidget->isVisible();
}

void TControl::KeyDown(int& key, TShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

bool TControl::SetFocus() {
    if (!FWidget->isVisible() || !FWidget->isEnabled())
        return false;
    if (FWidget->focusPolicy() == Qt::NoFocus)
        FWidget->setFocusPolicy(Qt::ClickFocus);
    FWidget->setFocus(Qt::OtherFocusReason);
    return true;
}

void TControl::Invalidate() {
    FWidget->update();
}

void TControl::SetOpaque(bool value) {
    FWidget->setAttribute(Qt::WA_OpaquePaintEvent, value);
}

namespace {
int PaintBatchDepth = 0;
// Whether a control asked to be painted at once inside the open batch.
bool RepaintAsked = false;
} // namespace

void TControl::Repaint() {
    if (TPaintBatch::Open()) {
        RepaintAsked = true;
        FWidget->update();
    } else {
        FWidget->repaint();
    }
}

void TControl::RepaintNow() {
    FWidget->repaint();
}

TPaintBatch::TPaintBatch() {
    ++PaintBatchDepth;
}

TPaintBatch::~TPaintBatch() {
    // The controls that asked paint through the window's pending update, each once. Without such a request
    // the pending update (of controls that only need painting some time, such as a focus change) is left to
    // the message loop.
    if (--PaintBatchDepth == 0 && RepaintAsked) {
        RepaintAsked = false;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
}

bool TPaintBatch::Open() {
    return PaintBatchDepth > 0;
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::Paint(TCanvas&) {}

TWinControl::TWinControl(TWinControl* parent) : TControl(parent) {}

TWinControl::TWinControl(TWinControl* parent, std::unique_ptr<QWidget> widget)
    : TControl(parent, std::move(widget)) {}

TWinControl::~TWinControl() {
    while (!FControls.empty())
        delete FControls.back();
}

void TWinControl::ParentChanged() {
    TControl::ParentChanged();
    for (TControl* child : FControls)
        child->ParentChanged();
}

void TWinControl::AlignControls() {
    TRect rest = AlignArea();
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (TControl* c : FControls) {
            if (c->FAlign != pass || !c->FVisible)
                continue;
            TRect r;
            switch (pass) {
            case TAlign::alTop:
                r = {rest.Left, rest.Top, rest.Right, rest.Top + c->Height()};
                rest.Top = r.Bottom;
                break;
            case TAlign::alBottom:
                r = {rest.Left, rest.Bottom - c->Height(), rest.Right, rest.Bottom};
                rest.Bottom = r.Top;
                break;
            case TAlign::alLeft:
                r = {rest.Left, rest.Top, rest.Left + c->Width(), rest.Bottom};
                rest.Left = r.Right;
                break;
            case TAlign::alRight:
                r = {rest.Right - c->Width(), rest.Top, rest.Right, rest.Bottom};
                rest.Right = r.Left;
                break;
            default:
                r = rest;
                break;
            }
            if (r != c->FBounds) {
                c->FBounds = {r.Left, r.Top, std::max(r.Right, r.Left), std::max(r.Bottom, r.Top)};
                c->ApplyBounds();
                if (auto* w = dynamic_cast<TWinControl*>(c))
                    w->AlignControls();
            }
        }
    }
}

} // namespace orvalis
