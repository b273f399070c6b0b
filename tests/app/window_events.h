#pragma once

// What the in-process tests of the main window share: a program folder of the test's own with the built
// pictures, and real mouse events delivered to the window's controls.
#include "controls/text_control.h"
#include "db_fixture.h"
#include "platform/control.h"
#include "platform/paths.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace orvalis::test {

// A scratch program folder: I/ links to the built pictures, D/ is empty. It is the program's folder while
// the object lives.
class ProgramFolder {
public:
    ProgramFolder() {
        const char* built = std::getenv("ORVALIS_PROGRAM_DIR");
        EXPECT_NE(built, nullptr) << "ORVALIS_PROGRAM_DIR names the built program folder";
        if (built)
            std::filesystem::create_directory_symlink(std::filesystem::path(built) / "I", Dir.Path() / "I");
        std::filesystem::create_directories(Dir.Path() / "D");
        FPrevious = SetProgramFolder(Dir.Path().string());
    }
    ~ProgramFolder() { SetProgramFolder(FPrevious); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return Dir.Path(); }
    std::string File(const std::string& name) const { return Dir.File(name); }

private:
    TempDir Dir;
    std::string FPrevious;
};

inline void Mouse(TControl* control, QEvent::Type type, QPoint at) {
    QMouseEvent e(type, at, control->Widget()->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control->Widget(), &e);
}

inline void Click(TControl* control, QPoint at) {
    Mouse(control, QEvent::MouseButtonPress, at);
    Mouse(control, QEvent::MouseButtonRelease, at);
}

// The left button pressed at one point, moved with the button held and released at another.
inline void Drag(TControl* control, QPoint from, QPoint to) {
    const auto send = [control](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, at, control->Widget()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(control->Widget(), &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

// A click where the reader sees the control: it must be visible on its page.
inline void Click(TControl* control) {
    ASSERT_TRUE(control->Widget()->isVisible()) << "clicked a control the reader cannot see";
    Click(control, QPoint(control->Width() / 2, control->Height() / 2));
}

// A click on a row of a list that is in view.
inline void ClickRow(GTextControl* list, int index) {
    ASSERT_TRUE(list->Widget()->isVisible());
    const TRect row = list->ItemRect(index);
    ASSERT_GE(row.Top, 0) << "row " << index << " is scrolled out of view";
    Click(list, QPoint(20, (row.Top + row.Bottom) / 2));
}

inline void Enter(TControl* control) {
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(control->Widget(), &e);
}

// Makes the shown window the active one, which the keyboard goes to.
inline void Activate(TControl& window) {
    window.Widget()->activateWindow();
    QApplication::processEvents();
}

// A key pressed and released where the keyboard focus is, as the window system delivers it (to the window
// when no widget has the focus).
inline void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {}) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : window, &release);
}

// Each character typed as its key, with the character as the key's text.
// Types Windows-1252 text as the keyboard delivers it, one character at a time; a letter beyond ASCII comes
// with no key code of its own, only its text.
inline void Type(QWidget* window, const std::string& text) {
    for (char c : text) {
        const QChar ch(static_cast<unsigned char>(c));
        Key(window,
            ch.isLetterOrNumber() && ch.unicode() < 0x80 ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_unknown,
            Qt::NoModifier, QString(ch));
    }
}

inline void Leave(TControl* control) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(control->Widget(), &e);
}

} // namespace orvalis::test
