#pragma once

#include <functional>

namespace orvalis {

class TObject;

// The rows of the window's table of background pictures: what entering each page or mode loads.
enum class TPictureRow : unsigned char { Start, MainMenu, Reading, Search, HyperLink, Quiz, BMITest };

// The self-test pages of the window, each shown in place of the reading page.
enum class TSelfTestPage : unsigned char { Quiz, BMITest };

// What the pages and panes need of the window that holds them. The window owns them; they reach it only
// through this interface, so that dependencies point from the window to its pages.
class TPageHost {
public:
    // Makes every control of the window agree with the navigation state. Inside an action (TActionScope)
    // the refresh is only noted; the action applies the last one noted once, as it ends, or just before a
    // message round on its way, so that the page shown then is the one its steps asked for so far.
    virtual void UpdateStatus(TObject* Sender) = 0;
    // Applies the refresh noted so far in the action at once, for a step that needs the controls as the
    // steps before it left them (a control takes the focus only while it is shown).
    virtual void ApplyStatusSoFar() = 0;
    // Runs the task once the controls show the action's status: at once outside an action, else as the
    // outermost action ends, in the order asked. A text box scrolls only while it is shown.
    virtual void AfterStatus(std::function<void()> task) = 0;
    virtual void ResetBtnClick(TObject* Sender) = 0;
    // Enters the book at its first section, as the intro page's "Orvalis" does.
    virtual void EnterBook(TObject* Sender) = 0;
    // Loads the pictures of one row of the window's table into their areas.
    virtual void LoadPictures(TPictureRow row) = 0;
    // Loads the page's pictures, shows it in place of the others and leaves the reading sections.
    virtual void OpenSelfTestPage(TSelfTestPage page) = 0;

    // An action's beginning and end; see TActionScope.
    virtual void BeginAction() = 0;
    virtual void EndAction() = 0;

protected:
    ~TPageHost() = default;
};

// Open while a handler of the reader's action runs. Actions nest: a handler that calls another opens the
// scope again, and only the outermost applies the status, once.
class TActionScope {
public:
    explicit TActionScope(TPageHost& host) : FHost(host) { FHost.BeginAction(); }
    ~TActionScope() { FHost.EndAction(); }
    TActionScope(const TActionScope&) = delete;
    TActionScope& operator=(const TActionScope&) = delete;

private:
    TPageHost& FHost;
};

} // namespace orvalis
