#include "platform/form.h"
#include "platform/canvas.h"
#include "platform/qt_cursor.h"
#include "platform/qt_text.h"

#include <QApplication>
#include <QWidget>

namespace orvalis {

TForm::TForm() : TWinControl(nullptr) {
    SetParentColor(false);
    SetParentFont(false);
    ApplyFlags();
}

void TForm::SetCaption(const std::string& value) {
    if (FCaption == value)
        return;
    FCaption = value;
    Widget()->setWindowTitle(FromCp1252(value));
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
    if (FBorderStyle == value)
        return;
    FBorderStyle = value;
    ApplyFlags();
}

void TForm::SetFormStyle(TFormStyle value) {
    if (FFormStyle == value)
        return;
    FFormStyle = value;
    ApplyFlags();
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

void TForm::Paint(TCanvas& canvas) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
}

TApplication& Application() {
    static TApplication application;
    return application;
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
    QCoreApplication::processEvents();
}

void TApplication::Minimize() {
    if (FMainForm)
        FMainForm->SetWindowState(TWindowState::wsMinimized);
    if (OnMinimize)
        OnMinimize(nullptr);
}

void TApplication::Restore() {
    if (FMainForm && FMainForm->WindowState() == TWindowState::wsMinimized)
        FMainForm->SetWindowState(TWindowState::wsNormal);
    if (OnRestore)
        OnRestore(nullptr);
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
