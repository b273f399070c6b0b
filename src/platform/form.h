#pragma once

#include "platform/control.h"

#include <functional>
#include <memory>

class QObject;

namespace orvalis {

enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TFormBorderStyle { bsNone, bsSizeable, bsDialog };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// A top-level window. It fills itself with its colour; the controls on it paint over that.
class TForm : public TWinControl {
public:
    TForm();
    ~TForm() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value) { SetProperty(FBorderStyle, value, &TForm::ApplyFlags); }
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value) { SetProperty(FFormStyle, value, &TForm::ApplyFlags); }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);

    // Shows the window (the form's Visible state follows), brings it to the front, or hides it.
    void ShowWindow();
    void HideWindow();
    void BringToFront();
    // Paints the shown window on the screen now, once the window system has put it there (waiting for that
    // at most a second, handling no input meanwhile): for a window that must be seen while the program
    // pauses.
    void PaintOnScreen();
    // Asks OnCloseQuery, then hides the window when allowed. A close request of the window system (the
    // window manager's close button, a key) comes here too.
    void Close();
    // Ends any mouse capture or pop-up mode, as the window system's cancel-mode message does.
    void CancelMode();

    // The palette the window wants realised; none unless a descendant answers the shared palette.
    const TPalette* GetPalette() const override { return nullptr; }
    void Paint(TCanvas& canvas) override;

    std::function<void(TObject* Sender, bool& CanClose)> OnCloseQuery;
    // Raised each time the program shows the window, not when a minimised window is restored.
    TNotifyEvent OnShow;
    // Raised when the window loses the activation (the reader clicked another window).
    TNotifyEvent OnDeactivate;
    // With KeyPreview the form hears every key pressed in its window before the control with the focus
    // does (OnKeyDown); a handler that sets Key to 0 keeps the key from that control.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }
    // Sets the order in which Tab visits the controls of the window (Shift+Tab the reverse); hidden and
    // disabled ones are passed by. Controls not named keep their places after the ones before them.
    void SetTabOrder(const std::vector<TControl*>& controls);
    // The control of the window that has the keyboard focus; none when no control has it.
    TControl* ActiveControl() const;

    // Raised when the mouse's back or forward button (mbBack, mbForward) is pressed anywhere in the window.
    // While it is set, those buttons reach no control of the window.
    std::function<void(TObject* Sender, TMouseButton Button)> OnXButtonDown;

    // Raised when a key is released in the window and no control of it took the key; Shift includes the
    // mouse buttons held.
    std::function<void(TObject* Sender, int& Key, TShiftState Shift)> OnKeyUp;

private:
    void ApplyFlags();
    std::unique_ptr<QObject> FEvents;
    std::unique_ptr<QObject> FKeys;
    bool FKeyPreview = false;

    std::string FCaption;
    TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
    TFormStyle FFormStyle = TFormStyle::fsNormal;
};

// The application: its message loop and pending messages, minimise and restore, and the screen cursor.
// OnMinimize and OnRestore report the main form going into and out of the minimised state, whether the
// program asked for it (Minimize, Restore) or the window system did (the task bar, the window manager).
class TApplication {
public:
    // Creates the window system's application object from the program's command line, when none exists
    // yet; Finish destroys it again. Windows, fonts and the single-instance service need it.
    void Initialize(int& argc, char** argv);
    void Finish();
    // Whether the window system gives the program's windows a surface to paint on. Qt has none for
    // 8-bit X visuals: windows there would stay black.
    bool CanPaintWindows() const;

    // Runs the message loop until the main form closes (or Terminate); answers the exit code.
    int Run();
    void Terminate();
    // Handles the window system's pending messages and returns; OnMessageRound hears of it first.
    void ProcessMessages();
    // Runs the action once, when the messages pending now have been handled, unless the owner is gone.
    void WhenIdle(TControl* owner, std::function<void()> action);
    // Minimises the main form; Restore brings a minimised main form back to its normal state.
    void Minimize();
    void Restore();
    void BringToFront();

    TForm* MainForm() const { return FMainForm; }
    void SetMainForm(TForm* form) { FMainForm = form; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value);

    // The cursor over the whole program; crDefault gives every control its own again.
    TCursor ScreenCursor() const { return FScreenCursor; }
    void SetScreenCursor(TCursor value);

    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    // Raised as ProcessMessages begins, so that what a round paints is up to date.
    TNotifyEvent OnMessageRound;

    // For the platform layer: a form's window state changed.
    void WindowStateChanged(TForm* form, bool wasMinimized, bool isMinimized);

private:
    bool FNotifying = false;
    TForm* FMainForm = nullptr;
    std::string FTitle;
    TCursor FScreenCursor = crDefault;
};

TApplication& Application();

// Shows the hourglass over the whole program while it lives, also when the work it covers throws.
class THourGlass {
public:
    THourGlass() { Application().SetScreenCursor(crHourGlass); }
    ~THourGlass() { Application().SetScreenCursor(crDefault); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;
};

} // namespace orvalis
