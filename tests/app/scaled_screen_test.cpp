// The real program's windows on a screen that scales the desktop by 2 (the test program sets
// QT_SCALE_FACTOR=2 under the offscreen platform). Every page is drawn twice over: here at ratio 2, and by
// this same program started again at ratio 1 ("--reference DIR"), which writes its pages to DIR. The pages at
// ratio 2 must be the pages at ratio 1 enlarged by 2, up to the edges that the finer pixels draw differently.
#include "app/about_box.h"
#include "app/intro_form.h"
#include "app/main_form.h"
#include "controls/parser_control.h"
#include "platform/edit.h"
#include "platform/paths.h"
#include "platform/printers.h"
#include "platform/screen.h"
#include "platform/services.h"
#include "reading/keyword_search.h"
#include "selftests/bmi_page.h"
#include "selftests/quiz_page.h"
#include "window_events.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace orvalis {
namespace {

namespace fs = std::filesystem;
using test::Click;
using test::ClickRow;

// The built program folder with its data and pictures, the screen at 1024x768 logical pixels and the
// printer and clipboard doubles, for the lifetime of the object.
class TBundledBook {
public:
    TBundledBook() {
        const char* built = std::getenv("ORVALIS_PROGRAM_DIR");
        FPreviousFolder = SetProgramFolder(built ? built : "");
        FPreviousPrinter = SetPrinter(&FPrinter);
        FPreviousClipboard = SetClipboard(&FClipboard);
    }
    ~TBundledBook() {
        SetClipboard(FPreviousClipboard);
        SetPrinter(FPreviousPrinter);
        SetProgramFolder(FPreviousFolder);
    }
    TBundledBook(const TBundledBook&) = delete;
    TBundledBook& operator=(const TBundledBook&) = delete;

private:
    TScreenOverride FScreen{{.Width = 1024, .Height = 768, .BitsPerPixel = 24}};
    RecordingPrinter FPrinter;
    MemoryClipboard FClipboard;
    std::string FPreviousFolder;
    TPrinter* FPreviousPrinter = nullptr;
    TClipboard* FPreviousClipboard = nullptr;
};

QImage Grab(const TControl& control) {
    QApplication::processEvents();
    return control.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int RowOf(const GTextControl* list, const std::string& title) {
    const std::vector<std::string> lines = list->Items().Lines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].substr(lines[i].find('|') + 1) == title)
            return int(i);
    return -1;
}

// Every page a reader meets, in one walk through the book: the intro page, a topic with a picture, the
// search page with its hits, the quiz, the BMI page with a result, the about box and the splash.
std::map<std::string, QImage> DrawPages() {
    const TBundledBook book;
    std::map<std::string, QImage> pages;
    auto form = std::make_unique<TMainForm>();
    form->ShowWindow();
    pages["intro"] = Grab(*form);

    Click(form->Intro->EntryIntroBtn);
    const int artrose = RowOf(form->Contents->ContentLst, "Artrose");
    EXPECT_GE(artrose, 0);
    if (artrose >= 0)
        ClickRow(form->Contents->ContentLst, artrose);
    pages["topic"] = Grab(*form);

    Click(form->SearchBtn);
    form->Search->SearchEdit->SetText("vitamine");
    form->Search->StartQuerySearchBtnClick(form->Search->SearchEdit);
    pages["search"] = Grab(*form);

    Click(form->BackBtn);
    Click(form->MainMenuBtn);
    form->Quiz->RandomBelow = [](int) { return 0; };
    Click(form->Intro->QuizIntroBtn);
    pages["quiz"] = Grab(*form);

    Click(form->MainMenuBtn);
    Click(form->Intro->BMITestIntroBtn);
    form->Bmi->BMITestLengthEdit->SetText("180");
    form->Bmi->BMITestWeightEdit->SetText("75");
    Click(form->Bmi->BMITestCalculateBtn);
    pages["bmi"] = Grab(*form);

    ShowAboutBox();
    pages["about"] = Grab(*AboutBox());
    FreeAboutBox();
    form.reset();

    ShowIntroForm();
    pages["splash"] = Grab(*IntroForm());
    FreeIntroForm();
    return pages;
}

int WriteReference(const std::string& folder) {
    for (const auto& [name, image] : DrawPages())
        if (!image.save(QString::fromStdString(folder + "/" + name + ".png"), "PNG"))
            return 1;
    return 0;
}

// The pages at ratio 1, drawn by this program started once more on an unscaled screen.
std::map<std::string, QImage> ReferencePages(const fs::path& folder) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_SCALE_FACTOR", "1");
    environment.remove("QT_SCREEN_SCALE_FACTORS");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--reference", QString::fromStdString(folder.string())});
    std::map<std::string, QImage> pages;
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return pages;
    for (const auto& entry : fs::directory_iterator(folder))
        pages[entry.path().stem().string()] = QImage(QString::fromStdString(entry.path().string()));
    return pages;
}

int Luminance(QRgb c) {
    return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
}

struct TComparison {
    double Mismatched = 0; // share of device pixels that differ away from an edge
    double Finer = 0;      // share of device pixels that differ at an edge: the detail of the finer pixels
    int64_t Black = 0;     // black device pixels of the scaled page
    int64_t ReferenceBlack = 0;
};

// Compares the scaled page with the reference enlarged by 2. A pixel whose colour differs by more than a
// small tolerance counts only where the reference is flat around it: at the edges of glyphs, lines and
// pictures the finer pixels are meant to differ.
TComparison Compare(const QImage& reference, const QImage& scaled) {
    TComparison result;
    int64_t mismatched = 0, finer = 0;
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) {
            const QRgb s = scaled.pixel(x, y);
            const QRgb r = reference.pixel(x / 2, y / 2);
            if (qRed(s) < 16 && qGreen(s) < 16 && qBlue(s) < 16)
                ++result.Black;
            const int difference = std::max({std::abs(qRed(s) - qRed(r)), std::abs(qGreen(s) - qGreen(r)),
                                             std::abs(qBlue(s) - qBlue(r))});
            if (difference <= 64)
                continue;
            int low = 255, high = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int rx = std::clamp(x / 2 + dx, 0, reference.width() - 1);
                    const int ry = std::clamp(y / 2 + dy, 0, reference.height() - 1);
                    const int l = Luminance(reference.pixel(rx, ry));
                    low = std::min(low, l);
                    high = std::max(high, l);
                }
            if (high - low <= 40)
                ++mismatched;
            else
                ++finer;
        }
    }
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb r = reference.pixel(x, y);
            if (qRed(r) < 16 && qGreen(r) < 16 && qBlue(r) < 16)
                ++result.ReferenceBlack;
        }
    result.Mismatched = double(mismatched) / (double(scaled.width()) * scaled.height());
    result.Finer = double(finer) / (double(scaled.width()) * scaled.height());
    return result;
}

TEST(ScaledScreenTest, EveryPage_IsTheUnscaledPageTwiceAsLarge) {
    ASSERT_EQ(Screen().DevicePixelRatio(), 2.0) << "the test program sets QT_SCALE_FACTOR=2";
    test::TempDir folder;
    const std::map<std::string, QImage> reference = ReferencePages(folder.Path());
    const std::map<std::string, QImage> scaled = DrawPages();
    ASSERT_EQ(reference.size(), 7u) << "the program at ratio 1 drew every page";
    ASSERT_EQ(scaled.size(), reference.size());
    for (const auto& [name, page] : scaled) {
        const QImage& unscaled = reference.at(name);
        ASSERT_EQ(page.size(), unscaled.size() * 2) << name;
        const TComparison c = Compare(unscaled.convertToFormat(QImage::Format_RGB32), page);
        EXPECT_LT(c.Mismatched, 0.002) << name << ": a part is drawn wrongly or not at all";
        EXPECT_LE(c.Black, 4 * c.ReferenceBlack + int64_t(page.width()) * page.height() / 200)
            << name << ": black where the unscaled page has none";
        EXPECT_GT(c.Finer, 0.001) << name << ": drawn with the unscaled pixels doubled";
    }
}

// A click goes through the window as the window system delivers it, in device pixels.
void ClickThroughWindow(const TMainForm& form, const TControl& control, QPoint at) {
    QWindow* window = form.Widget()->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint inWindow = control.Widget()->mapTo(form.Widget(), at);
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, inWindow);
    QApplication::processEvents();
}

TEST(ScaledScreenTest, Clicks_HitTheLetterAndTheLinkUnderThePointer) {
    ASSERT_EQ(Screen().DevicePixelRatio(), 2.0);
    const TBundledBook book;
    TMainForm form;
    form.ShowWindow();
    QApplication::processEvents();
    ClickThroughWindow(form, *form.Intro->EntryIntroBtn, {form.Intro->EntryIntroBtn->Width() / 2, 5});
    ASSERT_TRUE(form.State.Has(nfContent));

    TBaseBtn* letter = form.Contents->BaseBtns['G' - 'A'];
    ASSERT_TRUE(letter->Enabled());
    ClickThroughWindow(form, *letter, {letter->Width() / 2, letter->Height() / 2});
    ASSERT_GE(form.Contents->ContentLst->ItemIndex(), 0);
    const std::string line = form.Contents->ContentLst->Items()[form.Contents->ContentLst->ItemIndex()];
    EXPECT_EQ(line.substr(line.find('|') + 1, 1), "G") << line;

    ASSERT_GT(form.Topic->MainText->LinkCount(), 0);
    const TRect link = form.Topic->MainText->LinkRect(1);
    const std::string target = form.Topic->MainText->LinkHRef(1);
    ClickThroughWindow(form, *form.Topic->MainText, {link.Left + 2, (link.Top + link.Bottom) / 2});
    EXPECT_TRUE(form.State.Has(nfHyperLink));
    EXPECT_EQ(form.Search->SearchEdit->Text(), target);
}

} // namespace
} // namespace orvalis

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]) == "--reference") {
        QApplication app(argc, argv);
        return orvalis::WriteReference(argv[2]);
    }
    // The screen scales the desktop by 2, as a 4K screen at 200 % does.
    qputenv("QT_SCALE_FACTOR", "2");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
