// The real splash and main window created in-process on a program folder of the test's own.
#include "app/intro_form.h"
#include "app/main_form.h"
#include "app/screen_variant.h"
#include "controls/bk_control.h"
#include "controls/gauge.h"
#include "db_fixture.h"
#include "platform/label.h"
#include "platform/message_boxes.h"
#include "platform/page_stack.h"
#include "platform/panel.h"
#include "platform/paths.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "synthetic_db.h"

#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace orvalis {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr int LargeDatabase = 4000;

std::string EncodedDatabase(int records) {
    bench::TSyntheticOptions options;
    options.Records = records;
    options.MeanTextLen = 200;
    return test::Encode(bench::MakeSyntheticDatabase(options));
}

// A program folder with the built pictures of the intro page and a record database.
class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        const char* built = std::getenv("ORVALIS_PROGRAM_DIR");
        ASSERT_NE(built, nullptr);
        fs::create_directories(Folder.Path() / "I" / "B");
        fs::create_directories(Folder.Path() / "D");
        for (const char* suffix : {"6x4", "8x6", "10x7"})
            for (const char* stem : {"i_t", "i"})
                fs::copy_file(fs::path(built) / "I" / "B" / (std::string(stem) + suffix),
                              Folder.Path() / "I" / "B" / (std::string(stem) + suffix));
        FPreviousFolder = SetProgramFolder(Folder.Path().string());
    }
    void TearDown() override {
        FreeIntroForm();
        SetProgramFolder(FPreviousFolder);
        SetScreenVariant(0);
    }
    void WriteDatabase(const std::string& bytes) { test::WriteBytes(Folder.File("D/iDbRecs.dat"), bytes); }

    TempDir Folder;

private:
    std::string FPreviousFolder;
};

// Screens below true colour show the splash reduced to the program's palettes: the 256-colour one at 8 bits,
// the 16-colour one below. Both keep the picture's look: the band at the bottom stays dark brown and the
// paper above it light.
TEST_F(StartupTest, Splash_OnPaletteScreensUsesTheReducedPictures) {
    for (const auto& [bits, colors] : {std::pair{8, 256}, std::pair{4, 16}}) {
        TScreenOverride screen({.Width = 1024, .Height = 768, .BitsPerPixel = bits});
        ShowIntroForm();
        const TBitmap* bitmap = IntroForm()->IntroFormImg->Background().Image().Bitmap();
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->Width(), 282);
        EXPECT_EQ(bitmap->Height(), 282);
        ASSERT_TRUE(bitmap->Palette().has_value());
        EXPECT_EQ(bitmap->Palette()->Count(), colors);
        const TColor band = bitmap->Pixel(141, 270), paper = bitmap->Pixel(30, 30);
        EXPECT_LT(band.R + band.G + band.B, 3 * 110) << "bits " << bits;
        EXPECT_GT(paper.R + paper.G + paper.B, 3 * 170) << "bits " << bits;
        FreeIntroForm();
    }
}

struct TSample {
    bool SplashShown = false;
    int32_t Progress = 0;
};

TEST_F(StartupTest, Startup_SplashShowsTheLoadingAndGoesWhenTheMainWindowShows) {
    WriteDatabase(EncodedDatabase(LargeDatabase));
    TScreenOverride screen({.Width = 1024, .Height = 768, .BitsPerPixel = 24});
    ShowIntroForm();
    TIntroForm* splash = IntroForm();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->BoundsRect(), Bounds(371, 243, 282, 282)) << "centred on the screen";
    EXPECT_EQ(splash->Text->Caption(), "Een ogenblik geduld, bezig met laden...");
    EXPECT_TRUE(splash->IntroFormImg->Background().Image().HasGraphic()) << "the built-in splash picture";

    std::vector<TSample> samples;
    QTimer sampler;
    sampler.setInterval(0);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        TIntroForm* current = IntroForm();
        samples.push_back({current && current->Visible() && current->Gauge->Visible(),
                           current ? current->Gauge->Progress() : -1});
    });
    sampler.start();
    TMainForm form;
    sampler.stop();

    ASSERT_FALSE(samples.empty()) << "the loader lets pending messages through";
    bool between = false;
    for (size_t i = 0; i < samples.size(); ++i) {
        EXPECT_TRUE(samples[i].SplashShown) << "sample " << i;
        if (i > 0) {
            EXPECT_GE(samples[i].Progress, samples[i - 1].Progress) << "sample " << i;
        }
        between = between || (samples[i].Progress > 0 && samples[i].Progress < 100);
    }
    EXPECT_TRUE(between) << "the gauge was seen on its way";
    EXPECT_EQ(splash->Gauge->Progress(), 100);
    EXPECT_FALSE(splash->Gauge->Visible()) << "the loader hides its gauge at the end";
    ASSERT_NE(form.State.RecFile, nullptr);
    EXPECT_EQ(form.State.RecFile->RecordCount(), LargeDatabase);
    EXPECT_EQ(IntroForm(), splash) << "the splash stays until the main window shows";

    EXPECT_EQ(form.Caption(), "Orvalis 2.0 release 2");
    EXPECT_EQ(form.CaptionLbl->Caption(), "Orvalis 2.0 release 2");
    EXPECT_EQ(form.CaptionLblBk->Caption(), "Orvalis 2.0 release 2");
    EXPECT_EQ(form.MainPages->ActivePage(), form.IntroPage);
    EXPECT_EQ(form.State.NavFlags, 0);
    EXPECT_EQ(Application().ScreenCursor(), crDefault) << "the hourglass is gone";

    form.ShowWindow();
    EXPECT_EQ(IntroForm(), nullptr) << "showing the main window frees the splash";
}

// Every layout: the window covers the screen, the panel has the layout's size and sits centred, and the
// pictures of that variant are loaded.
TEST_F(StartupTest, FormCreate_ScalesAndCentersForEachScreen) {
    WriteDatabase(EncodedDatabase(50));
    struct TCase {
        int Width, Height;
        uint8_t Variant;
        TRect Panel;
        int ItemHeight;
        int DX; // of MainText: the width of NavPages less the left of MainTextCtrl
    };
    const TCase cases[] = {
        {800, 600, 0, Bounds(80, 60, 640, 480), 16, 219 - 230},
        {1024, 768, 1, Bounds(112, 84, 800, 600), 20, 274 - 288},
        {1280, 1024, 2, Bounds(128, 128, 1024, 768), 26, 350 - 368},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height);
        TScreenOverride screen({.Width = c.Width, .Height = c.Height, .BitsPerPixel = 24});
        TMainForm form;
        EXPECT_EQ(ScreenVariant(), c.Variant);
        EXPECT_EQ(form.BoundsRect(), Bounds(0, 0, c.Width, c.Height));
        EXPECT_EQ(form.MainFormPanel->BoundsRect(), c.Panel);
        const int width = c.Panel.Width();
        EXPECT_EQ(form.HeaderBk->Background().Image().Width(), width);
        EXPECT_EQ(form.HeaderBk->Width(), width);
        EXPECT_EQ(form.Intro->IntroBk->Background().Image().Width(), width);
        EXPECT_EQ(form.Intro->HintText->Background().Image().Width(), width)
            << "the hint text lies over the same picture";
        EXPECT_EQ(form.MainPages->Top() + form.MainPages->Height(), form.BtnPnl->Top());
        for (GTextControl* list : {form.Contents->ContentLst, form.Search->QueryResultsLst,
                                   form.CrossReferences->HLQueryResultsLst1,
                                   form.CrossReferences->HLQueryResultsLst2, form.Topic->GoToLst})
            EXPECT_EQ(list->ItemHeight(), c.ItemHeight);
        EXPECT_EQ(form.Topic->MainText->dX(), c.DX);
        EXPECT_EQ(form.Topic->MainText->dY(), -form.Topic->MainTextCtrl->Top());
        EXPECT_EQ(form.Intro->HintText->dX(), -form.Intro->HintTextCtrl->Left());
        EXPECT_EQ(form.Topic->MainText->HyperLinkFont().Height(), form.Topic->MainText->Font().Height());
        EXPECT_TRUE(form.Topic->MainText->HyperLinkFont().Style() == TFontStyles(TFontStyle::fsUnderline));
        EXPECT_EQ(form.Topic->MainText->Parent(), form.Topic->MainTextCtrl);
        EXPECT_EQ(form.Intro->HintText->Parent(), form.Intro->HintTextCtrl);
    }
}

TEST_F(StartupTest, FormCreate_ScreenTooSmall_AbandonsTheWindow) {
    TScreenOverride screen({.Width = 640, .Height = 400, .BitsPerPixel = 24});
    EXPECT_THROW(TMainForm form, EScreenTooSmall);
    EXPECT_EQ(Application().ScreenCursor(), crDefault);
}

TEST_F(StartupTest, FormCreate_BadFiles_StartsWithWhatCouldBeRead) {
    TScreenOverride screen({.Width = 1024, .Height = 768, .BitsPerPixel = 24});
    RecordingMessageBoxes boxes;
    TMessageBoxesOverride quiet(boxes);
    {
        // No database at all, no header picture.
        fs::remove(Folder.Path() / "I" / "B" / "i_t8x6");
        TMainForm form;
        ASSERT_NE(form.State.RecFile, nullptr);
        EXPECT_EQ(form.State.RecFile->RecordCount(), 0);
        EXPECT_FALSE(form.HeaderBk->Background().Image().HasGraphic());
        EXPECT_TRUE(form.Intro->IntroBk->Background().Image().HasGraphic());
        EXPECT_TRUE(boxes.Entries().empty()) << "a missing picture is not reported";
    }
    {
        // A database cut short in its tenth record, and a header picture that does not decode.
        std::string bytes = EncodedDatabase(20);
        size_t cut = 4;
        for (int i = 0; i < 9; ++i)
            cut += 8 + (uint8_t(bytes[cut + 4]) | uint8_t(bytes[cut + 5]) << 8) +
                   (uint8_t(bytes[cut + 6]) | uint8_t(bytes[cut + 7]) << 8);
        WriteDatabase(bytes.substr(0, cut + 5));
        test::WriteBytes(Folder.File("I/B/i_t8x6"), std::string("\x89PNG\r\n\x1a\n garbage", 17));
        ShowIntroForm();
        TMainForm form;
        EXPECT_EQ(form.State.RecFile->RecordCount(), 9);
        EXPECT_FALSE(form.HeaderBk->Background().Image().HasGraphic());
        EXPECT_FALSE(boxes.Entries().empty()) << "the loader reports the picture it could not decode";
        EXPECT_FALSE(IntroForm()->Gauge->Visible());
    }
}

TEST_F(StartupTest, WMShowInstance_RestoresAMinimizedWindow) {
    WriteDatabase(EncodedDatabase(10));
    TScreenOverride screen({.Width = 1024, .Height = 768, .BitsPerPixel = 24});
    TMainForm form;
    Application().SetMainForm(&form);
    form.ShowWindow();
    Application().Minimize();
    EXPECT_EQ(form.WindowState(), TWindowState::wsMinimized);
    form.WMShowInstance();
    EXPECT_NE(form.WindowState(), TWindowState::wsMinimized);
    EXPECT_TRUE(form.Visible());
    Application().SetMainForm(nullptr);
}

TEST_F(StartupTest, Close_FreesTheDatabaseAndHidesTheWindow) {
    WriteDatabase(EncodedDatabase(10));
    TScreenOverride screen({.Width = 800, .Height = 600, .BitsPerPixel = 24});
    TMainForm form;
    form.FarewellPause = {};
    form.ShowWindow();
    ASSERT_TRUE(form.Widget()->isVisible());
    form.Close();
    EXPECT_EQ(form.State.RecFile, nullptr);
    EXPECT_EQ(form.Quiz->QuizLines, nullptr);
    EXPECT_FALSE(form.Widget()->isVisible());
}

} // namespace
} // namespace orvalis
