#pragma once

#include "platform/control.h"

#include <functional>

namespace orvalis {

enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TFormBorderStyle { bsNone, bsSizeable, bsDialog };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// A top-level window. It fills itself with its colour; the controls on it paint over that.
class TForm : public TWinControl {
public:
    TForm();

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);

    // Shows the window (the form's Visible state follows), brings it to the front, or hides it.
    void ShowWindow();
    void HideWindow();
    void BringToFront();
    // Asks OnCloseQuery, then hides the window when allowed.
    void Close();

    // The palette the window wants realised; none unless a descendant answers the shared palette.
    const TPalette* GetPalette() const override { return nullptr; }
    void Paint(TCanvas& canvas) override;

    std::function<void(TObject* Sender, bool& CanClose)> OnCloseQuery;

private:
    void ApplyFlags();

    std::string FCaption;
    TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
    TFormStyle FFormStyle = TFormStyle::fsNormal;
};

// The application: its message loop and pending messages, minimise and restore, and the screen cursor.
class TApplication {
public:
    // Runs the message loop until the main form closes (or Terminate); answers the exit code.
    int Run();
    void Terminate();
    // Handles the window system's pending messages and returns.
    void ProcessMessages();
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

private:
    TForm* FMainForm = nullptr;
    std::string FTitle;
    TCursor FScreenCursor = crDefault;
};

TApplication& Application();

} // namespace orvalis
