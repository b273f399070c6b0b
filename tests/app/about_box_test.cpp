// The about box and the header's "i" and "?" buttons on the real windows in-process, driven by key and
// mouse events, with the registry and the shell replaced by doubles.
#include "app/about_box.h"
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "app/web_page.h"
#include "controls/proportional_image.h"
#include "db_fixture.h"
#include "platform/bitmap.h"
#include "platform/panel.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "platform/services.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace orvalis {
namespace {

namespace fs = std::filesystem;

class AboutBoxTest : public testing::Test {
protected:
    void SetUp() override {
        FreeAboutBox();
        FPreviousRegistry = SetRegistry(&Registry);
        FPreviousShell = SetShell(&Shell);
        Registry.Put("HKEY_CLASSES_ROOT", ".HTML", "", "htmlfile");
        Registry.Put("HKEY_CLASSES_ROOT", "htmlfile\\Shell\\Open\\Command", "", "C:\\Web\\browser.exe %1");
    }
    void TearDown() override {
        FreeAboutBox();
        Application().SetMainForm(nullptr);
        Form.reset();
        SetShell(FPreviousShell);
        SetRegistry(FPreviousRegistry);
        if (!FPreviousFolder.empty())
            SetProgramFolder(FPreviousFolder);
        SetScreenVariant(0);
    }

    // The main window on the 640x480 layout over the built pictures and no database, as the program's main
    // form, so that minimising applies to it.
    TMainForm& OpenMainWindow() {
        const char* built = std::getenv("ORVALIS_PROGRAM_DIR");
        EXPECT_NE(built, nullptr);
        fs::create_directory_symlink(fs::path(built) / "I", Folder.Path() / "I");
        FPreviousFolder = SetProgramFolder(Folder.Path().string());
        Form = std::make_unique<TMainForm>();
        Application().SetMainForm(Form.get());
        Form->ShowWindow();
        return *Form;
    }

    static void Key(TForm* form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(form->Widget(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(form->Widget(), &release);
    }
    static void Click(TControl* control) {
        ASSERT_TRUE(control->Widget()->isVisible()) << "clicked a control the reader cannot see";
        const QPoint at(control->Width() / 2, control->Height() / 2);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, control->Widget()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(control->Widget(), &e);
        }
    }
    static bool Shown(TForm* form) { return form && form->Widget()->isVisible(); }
    std::vector<std::string> StartedAddresses() const {
        std::vector<std::string> addresses;
        for (const RecordingShell::TStart& start : Shell.Starts()) {
            EXPECT_EQ(start.Program, "C:\\Web\\browser.exe");
            addresses.push_back(start.Parameters.empty() ? "" : start.Parameters.back());
        }
        return addresses;
    }

    TScreenOverride Screen{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
    MemoryRegistry Registry;
    RecordingShell Shell;
    test::TempDir Folder;
    std::unique_ptr<TMainForm> Form;

private:
    TRegistry* FPreviousRegistry = nullptr;
    TShell* FPreviousShell = nullptr;
    std::string FPreviousFolder;
};

TEST_F(AboutBoxTest, Show_OneCentredBoxWithTheFramedPictureCreatedOnce) {
    EXPECT_EQ(AboutBox(), nullptr);
    ShowAboutBox();
    TAboutBox* box = AboutBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(Shown(box));
    EXPECT_EQ(box->BoundsRect(), Bounds(155, 75, 329, 329)) << "centred on the screen";
    EXPECT_EQ(box->AboutBoxImage->PictureRect(325, 325), Bounds(0, 0, 325, 325))
        << "the built-in about picture fills the image";
    const QImage shown = box->Widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(328, 164), QColor(Qt::black));
    EXPECT_NE(shown.pixelColor(164, 164), QColor(Qt::black)) << "the picture is drawn";

    Key(box, Qt::Key_Escape);
    EXPECT_FALSE(Shown(box));
    ShowAboutBox();
    EXPECT_EQ(AboutBox(), box) << "hidden and shown again, never a second box";
    EXPECT_TRUE(Shown(box));
}

TEST_F(AboutBoxTest, Keys_EnterOrEscapeWithoutModifiersClose) {
    ShowAboutBox();
    TAboutBox* box = AboutBox();
    for (Qt::KeyboardModifiers held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        Key(box, Qt::Key_Return, held);
        Key(box, Qt::Key_Escape, held);
    }
    Key(box, Qt::Key_Space);
    Key(box, Qt::Key_A);
    EXPECT_TRUE(Shown(box)) << "other keys and held modifiers leave it open";
    Key(box, Qt::Key_Return);
    EXPECT_FALSE(Shown(box));
    ShowAboutBox();
    Key(box, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(Shown(box)) << "the keypad's Enter is Enter too";
}

TEST_F(AboutBoxTest, Deactivation_ClosesTheBox) {
    TForm other;
    other.SetBounds(0, 0, 100, 100);
    other.ShowWindow();
    ShowAboutBox();
    TAboutBox* box = AboutBox();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(box->Widget(), &deactivate);
    EXPECT_FALSE(Shown(box));
    EXPECT_TRUE(Shown(&other));
}

TEST_F(AboutBoxTest, LinkAreas_OpenTheirSitesCloseTheBoxAndMinimise) {
    TMainForm& form = OpenMainWindow();
    ShowAboutBox();
    TAboutBox* box = AboutBox();
    Click(box->VeldhavenSBtn);
    EXPECT_FALSE(Shown(box));
    EXPECT_EQ(form.WindowState(), TWindowState::wsMinimized);

    form.FormRestore(nullptr);
    ShowAboutBox();
    Click(box->BrantwellSBtn);
    EXPECT_EQ(StartedAddresses(), (std::vector<std::string>{PublisherWebAddress, MakerWebAddress}));

    // Without any browser nothing starts, and the box still closes and the program still minimises.
    form.FormRestore(nullptr);
    MemoryRegistry empty;
    SetRegistry(&empty);
    ShowAboutBox();
    Click(box->VeldhavenSBtn);
    EXPECT_EQ(Shell.Starts().size(), 2u);
    EXPECT_FALSE(Shown(box));
    EXPECT_EQ(form.WindowState(), TWindowState::wsMinimized);
    SetRegistry(&Registry);
}

TEST_F(AboutBoxTest, HeaderButtons_InfoShowsTheBoxAndHelpOpensTheOnlineHelp) {
    TMainForm& form = OpenMainWindow();
    Click(form.InfoBtn);
    ASSERT_NE(AboutBox(), nullptr);
    EXPECT_TRUE(Shown(AboutBox()));
    Key(AboutBox(), Qt::Key_Escape);

    Click(form.HelpBtn);
    EXPECT_EQ(StartedAddresses(), (std::vector<std::string>{OnlineHelpAddress("")}));
    EXPECT_EQ(form.WindowState(), TWindowState::wsMinimized);
}

TEST_F(AboutBoxTest, PaletteScreens_ShowTheReducedPictures) {
    for (const auto& [bits, colours] : {std::pair{8, 256}, std::pair{4, 16}}) {
        TScreenOverride screen({.BitsPerPixel = bits});
        ShowAboutBox();
        const TBitmap* bitmap = AboutBox()->AboutBoxImage->Image().Bitmap();
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->Width(), 325);
        ASSERT_TRUE(bitmap->Palette().has_value());
        EXPECT_EQ(bitmap->Palette()->Count(), colours) << "bits " << bits;
        FreeAboutBox();
    }
}

// Quitting hides the main window first, then shows the about box for two seconds and closes it.
TEST_F(AboutBoxTest, Quit_ShowsTheFarewellAfterTheWindowIsHiddenForTwoSeconds) {
    TMainForm& form = OpenMainWindow();
    struct TWatch : QObject {
        TMainForm* Main = nullptr;
        bool Shown = false, MainVisibleThen = true;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Show && AboutBox() && watched == AboutBox()->Widget()) {
                Shown = true;
                MainVisibleThen = Main->Widget()->isVisible();
            }
            return false;
        }
    } watch;
    watch.Main = &form;
    qApp->installEventFilter(&watch);
    const auto start = std::chrono::steady_clock::now();
    Click(form.QuitBtn);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    qApp->removeEventFilter(&watch);
    EXPECT_TRUE(watch.Shown);
    EXPECT_FALSE(watch.MainVisibleThen);
    EXPECT_GE(elapsed, std::chrono::milliseconds(1900));
    ASSERT_NE(AboutBox(), nullptr);
    EXPECT_FALSE(Shown(AboutBox())) << "closed at the end of the pause";
    EXPECT_FALSE(Shown(&form));
}

} // namespace
} // namespace orvalis
