#include "platform/form.h"
#include "platform/paths.h"
#include "platform/resources.h"

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvalis {
namespace {

// The main form going into and out of the minimised state reaches OnMinimize and OnRestore once each,
// whether the program or the window system changed it, and a restore handler that maximises the window
// is not called again from inside.
TEST(Application, MinimizeAndRestore_ReportEachChangeOnce) {
    TForm form;
    Application().SetMainForm(&form);
    form.ShowWindow();
    int minimized = 0, restored = 0;
    Application().OnMinimize = [&](TObject*) { ++minimized; };
    Application().OnRestore = [&](TObject*) {
        ++restored;
        form.SetWindowState(TWindowState::wsMaximized);
    };

    Application().Minimize();
    Application().Minimize();
    EXPECT_EQ(minimized, 1);
    Application().Restore();
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);

    form.SetWindowState(TWindowState::wsMinimized); // as the task bar does it
    EXPECT_EQ(minimized, 2);
    form.Widget()->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(restored, 2);

    TForm other;
    other.SetWindowState(TWindowState::wsMinimized);
    EXPECT_EQ(minimized, 2) << "only the main form counts";

    Application().OnMinimize = nullptr;
    Application().OnRestore = nullptr;
    Application().SetMainForm(nullptr);
}

// Nothing is painted while the program pauses, so a window that must be seen then is painted on the
// screen before: what the window system shows of it is its colour, before any message is handled.
TEST(Form, PaintOnScreen_PaintsTheJustShownWindowWithoutTheMessageLoop) {
    TForm form;
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(0, 0, 60, 40);
    form.SetColor(clRed);
    form.ShowWindow();
    form.PaintOnScreen();
    const QImage seen = form.Widget()->screen()->grabWindow(form.Widget()->winId()).toImage();
    ASSERT_FALSE(seen.isNull());
    EXPECT_EQ(QColor(seen.pixel(seen.width() / 2, seen.height() / 2)), QColor(Qt::red));
}

// Restoring a minimised window is no new showing: OnShow runs when the program shows the window only.
TEST(Form, RestoredFromMinimised_IsNotShownAgain) {
    TForm form;
    int shown = 0;
    form.OnShow = [&](TObject*) { ++shown; };
    form.ShowWindow();
    form.SetWindowState(TWindowState::wsMinimized);
    QApplication::processEvents();
    form.SetWindowState(TWindowState::wsNormal);
    QApplication::processEvents();
    EXPECT_EQ(shown, 1);
    form.HideWindow();
    form.ShowWindow();
    EXPECT_EQ(shown, 2);
}

TEST(Form, WindowSystemClose_AsksTheCloseQuery) {
    TForm form;
    int shown = 0;
    form.OnShow = [&](TObject*) { ++shown; };
    form.ShowWindow();
    EXPECT_EQ(shown, 1);
    bool allow = false;
    int asked = 0;
    form.OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = allow;
    };
    form.Widget()->close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form.Widget()->isVisible()) << "refused";
    allow = true;
    form.Widget()->close();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(form.Widget()->isVisible());
    EXPECT_FALSE(form.Visible());
}

TEST(Paths, ProgramFolder_IsTheExecutablesFolderUnlessReplaced) {
    char self[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
    std::string expected(self);
    expected.resize(expected.rfind('/') + 1);
    EXPECT_EQ(ProgramFolder(), expected);
    EXPECT_EQ(ProgramPath("D\\iDbRecs.dat"), expected + "D\\iDbRecs.dat");
    EXPECT_EQ(NativePath(ProgramPath("I\\B\\i_t8x6")), expected + "I/B/i_t8x6");

    EXPECT_EQ(SetProgramFolder("/tmp/orvalis"), "");
    EXPECT_EQ(ProgramFolder(), "/tmp/orvalis/");
    EXPECT_EQ(ProgramPath(std::string(300, 'x')).size(), 255u);
    EXPECT_EQ(SetProgramFolder(""), "/tmp/orvalis/");
    EXPECT_EQ(ProgramFolder(), expected);
}

} // namespace
} // namespace orvalis
