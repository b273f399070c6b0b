#include "platform/form.h"
#include "platform/canvas.h"
#include "platform/qt_cursor.h"
#include "platform/qt_keys.h"
#include "platform/qt_text.h"

#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>

namespace orvalis {

namespace {
// Hands the window system's reports about a form's window to the form and the application.
class TFormEvents : public QObject {
public:
    explicit TFormEvents(TForm& form) : FForm(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != FForm.Widget())
            return false;
        switch (event->type()) {
        case QEvent::Show:
            // The window system shows a window again when it comes back from the task bar; that is no
            // new showing of the form.
            if (!event->spontaneous() && FForm.OnShow)
                FForm.OnShow(&FForm);
            break;
        case QEvent::Hide:
            // A hidden or minimised window has lost the pointer, whatever the window system reports.
            FForm.LeaveHover();
            break;
        case QEvent::WindowStateChange: {
            const auto* change = static_cast<QWindowStateChangeEvent*>(event);
            Application().WindowStateChanged(&FForm, change->oldState() & Qt::WindowMinimized,
                                             FForm.Widget()->windowState() & Qt::WindowMinimized);
            break;
        }
        case QEvent::WindowDeactivate:
            if (FForm.OnDeactivate)
                FForm.OnDeactivate(&FForm);
            break;
        case QEvent::KeyRelease: {
            const TPaintBatch batch;
            const auto* key = static_cast<QKeyEvent*>(event);
            // Auto-repeat sends releases while the key is still held.
            if (key->isAutoRepeat() || !FForm.OnKeyUp)
                break;
            int code = VirtualKey(key->key());
            FForm.OnKeyUp(&FForm, code, ShiftOf(key->modifiers(), QApplication::mouseButtons()));
            break;
        }
        case QEvent::Close:
            // The form decides through its close query; Close hides it when allowed.
            event->ignore();
            FForm.Close();
            return true;
        default:
            break;
        }
        return false;
    }

private:
    TForm& FForm;
};

// Sees the keys pressed anywhere in the application, before the widget they are meant for: a key in the
// form's window turns the focus frames on and, with KeyPreview, goes to the form first. The mouse's back
// and forward buttons go to the form's OnXButtonDown in the same way.
class TFormKeys : public QObject {
public:
    explicit TFormKeys(TForm& form) : FForm(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (IsXButtonEvent(event) && watched->isWidgetType())
            return XButton(static_cast<QWidget*>(watched), static_cast<QMouseEvent*>(event));
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto* receiver = static_cast<QWidget*>(watched);
        if (receiver->window() != FForm.Widget())
            return false;
        // A key the focused widget leaves is handed on to its parents; the form hears it once.
        QWidget* focused = QApplication::focusWidget();
        if (receiver != (focused ? focused : FForm.Widget()))
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Shift || key->key() == Qt::Key_Control || key->key() == Qt::Key_Alt)
            return false;
        ShowKeyboardCues();
        if (!FForm.KeyPreview())
            return false;
        int code = VirtualKey(key->key());
        if (code == 0)
            return false;
        const TPaintBatch batch;
        FForm.KeyDown(code, ShiftOf(key->modifiers(), Qt::NoButton));
        return code == 0;
    }

private:
    static bool IsXButtonEvent(const QEvent* event) {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick)
            return false;
        const Qt::MouseButton button = static_cast<const QMouseEvent*>(event)->button();
        return button == Qt::BackButton || button == Qt::ForwardButton;
    }
    // The press is the form's; its release and a second press in quick succession (which the window
    // system reports as a double click) are kept from the controls as well.
    bool XButton(QWidget* receiver, QMouseEvent* event) {
        if (receiver->window() != FForm.Widget() || !FForm.OnXButtonDown)
            return false;
        if (event->type() != QEvent::MouseButtonRelease) {
            const TPaintBatch batch;
            FForm.OnXButtonDown(&FForm, event->button() == Qt::BackButton ? TMouseButton::mbBack
                                                                          : TMouseButton::mbForward);
        }
        return true;
    }

private:
    TForm& FForm;
};
} // namespace

TForm::TForm() : TWinControl(nullptr) {
    SetParentColor(false);
    SetParentFont(false);
    ApplyFlags();
    FEvents = std::make_unique<TFormEvents>(*this);
    Widget()->installEventFilter(FEvents.get());
    FKeys = std::make_unique<TFormKeys>(*this);
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(FKeys.get());
}

TControl* TForm::ActiveControl() const {
    TControl* control = FocusedControl();
    return control && control->Widget()->window() == Widget() ? control : nullptr;
}

void TForm::SetTabOrder(const std::vector<TControl*>& controls) {
    for (size_t i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1]->Widget(), controls[i]->Widget());
}

TForm::~TForm() = default;

void TForm::SetCaption(const std::string& value) {
    if (FCaption == value)
        return;
    FCaption = value;
    Widget()->setWindowTitle(FromCp1252(value));
}

void TForm::ApplyFlags() {
    QWidget* w = Widget();
    const bool shown = w->isVisible();
    Qt::WindowFlags flags = Qt::Window;
    if (FBorderStyle == TFormBorderStyle::bsNone)
        flags |= Qt::FramelessWindowHint;
    else if (FBorderStyle == TFormBorderStyle::bsDialog)
        flags |= Qt::Dialog;
    if (FFormStyle == TFormStyle::fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    w->setWindowFlags(flags);
    // Changing the flags hides a window; it comes back as it was.
    if (shown)
        w->show();
}

TWindowState TForm::WindowState() const {
    const Qt::WindowStates s = Widget()->windowState();
    return s & Qt::WindowMinimized   ? TWindowState::wsMinimized
           : s & Qt::WindowMaximized ? TWindowState::wsMaximized
                                     : TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState value) {
    Widget()->setWindowState(value == TWindowState::wsMinimized   ? Qt::WindowMinimized
                             : value == TWindowState::wsMaximized ? Qt::WindowMaximized
                                                                  : Qt::WindowNoState);
}

void TForm::ShowWindow() {
    SetVisible(true);
    Widget()->show();
}

void TForm::HideWindow() {
    SetVisible(false);
    Widget()->hide();
}

void TForm::BringToFront() {
    Widget()->raise();
    Widget()->activateWindow();
}

void TForm::PaintOnScreen() {
    QWidget* w = Widget();
    if (!w->isVisible())
        return;
    constexpr int MaxWaitMilliseconds = 1000;
    const QDeadlineTimer deadline(MaxWaitMilliseconds);
    // A window is mapped some time after it is shown, and only a mapped window keeps what is painted.
    while (w->windowHandle() && !w->windowHandle()->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    w->repaint();
    QGuiApplication::sync();
}

void TForm::Close() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    if (!canClose)
        return;
    HideWindow();
    if (Application().MainForm() == this)
        Application().Terminate();
}

void TForm::CancelMode() {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    while (QWidget* popup = QApplication::activePopupWidget())
        if (!popup->close())
            break;
}

void TForm::Paint(TCanvas& canvas) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
}

TApplication& Application() {
    static TApplication application;
    return application;
}

namespace {
std::unique_ptr<QApplication>& OwnApplication() {
    static std::unique_ptr<QApplication> application;
    return application;
}
} // namespace

void TApplication::Initialize(int& argc, char** argv) {
    if (QCoreApplication::instance())
        return;
    OwnApplication() = std::make_unique<QApplication>(argc, argv);
}

void TApplication::Finish() {
    FMainForm = nullptr;
    OwnApplication().reset();
}

// A window of one pixel is made, never shown, and its surface asked for a paint engine. Window systems that
// hand out the surface only while painting give none here; they are not refused.
bool TApplication::CanPaintWindows() const {
    if (!QCoreApplication::instance())
        return false;
    QWindow probe;
    probe.setSurfaceType(QSurface::RasterSurface);
    probe.resize(1, 1);
    probe.create();
    QBackingStore store(&probe);
    store.resize(QSize(1, 1));
    QPaintDevice* device = store.paintDevice();
    return !device || device->paintEngine();
}

int TApplication::Run() {
    if (FMainForm)
        FMainForm->ShowWindow();
    return QApplication::exec();
}

void TApplication::Terminate() {
    QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() {
    if (OnMessageRound)
        OnMessageRound(nullptr);
    QCoreApplication::processEvents();
}

void TApplication::WhenIdle(TControl* owner, std::function<void()> action) {
    QTimer::singleShot(0, owner->Widget(), std::move(action));
}

// Without a main form there is no window to change; the handlers still hear of the request.
void TApplication::Minimize() {
    if (!FMainForm) {
        if (OnMinimize)
            OnMinimize(nullptr);
        return;
    }
    if (FMainForm->WindowState() != TWindowState::wsMinimized)
        FMainForm->SetWindowState(TWindowState::wsMinimized);
}

void TApplication::Restore() {
    if (!FMainForm) {
        if (OnRestore)
            OnRestore(nullptr);
        return;
    }
    if (FMainForm->WindowState() == TWindowState::wsMinimized)
        FMainForm->SetWindowState(TWindowState::wsNormal);
}

// A handler that changes the state itself (a restore handler maximising the window) is not called again
// from inside.
void TApplication::WindowStateChanged(TForm* form, bool wasMinimized, bool isMinimized) {
    if (form != FMainForm || wasMinimized == isMinimized || FNotifying)
        return;
    FNotifying = true;
    const TNotifyEvent& handler = isMinimized ? OnMinimize : OnRestore;
    if (handler)
        handler(nullptr);
    FNotifying = false;
}

void TApplication::BringToFront() {
    if (FMainForm)
        FMainForm->BringToFront();
}

void TApplication::SetTitle(const std::string& value) {
    FTitle = value;
    QApplication::setApplicationDisplayName(FromCp1252(value));
}

void TApplication::SetScreenCursor(TCursor value) {
    if (FScreenCursor == value)
        return;
    if (FScreenCursor != crDefault)
        QApplication::restoreOverrideCursor();
    FScreenCursor = value;
    if (value != crDefault)
        QApplication::setOverrideCursor(QtCursor(value));
}

} // namespace orvalis
