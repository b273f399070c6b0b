// "Afdrukken" on the real main window, clicked with mouse events: on the recording printer, and once
// through CUPS to the cups-pdf queue that scripts/cups_pdf_queue.sh sets up, read back with pdftotext.
#include "app/main_form.h"
#include "db_fixture.h"
#include "platform/label.h"
#include "platform/paths.h"
#include "platform/printers.h"
#include "platform/screen.h"
#include "platform/scroll_box.h"
#include "window_events.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace orvalis {
namespace {

namespace fs = std::filesystem;
using test::Click;
using test::Mouse;

// The queue and the folder its PDFs are written to, as scripts/cups_pdf_queue.sh makes them.
const QString PdfQueue = "OrvalisPDF";
const QString PdfFolder = "/var/spool/cups-pdf/orvalis";

// A topic of 120 lines with markup in every one: more than one printed page.
std::string LongTopic() {
    std::string text;
    for (int i = 1; i <= 120; ++i)
        text += "<B>Regel " + std::to_string(i) + "</B> over {zink}<HIDE> en koper<SHOW>.\r\n";
    return text;
}

// The job stops at its first new page.
class FailingPrinter : public RecordingPrinter {
public:
    void NewPage() override { throw std::runtime_error("the paper ran out"); }
};

// Counts how often the system is asked for its printers.
class CountingPrinter : public RecordingPrinter {
public:
    std::vector<std::string> Printers() const override {
        ++Asked;
        return RecordingPrinter::Printers();
    }
    mutable int Asked = 0;
};

class PrintWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(Folder.File("D/iDbRecs.dat"),
                         test::Encode({{1, "1|Zink", LongTopic()}, {2, "1|Koper", "Koper is een metaal."}}));
        FPreviousPrinter = SetPrinter(&Printer);
    }
    void TearDown() override {
        Form.reset();
        SetPrinter(FPreviousPrinter);
    }
    // The window on the 640x480 layout with the first topic on display.
    TMainForm& OpenTopic() {
        Form = std::make_unique<TMainForm>();
        Form->ShowWindow();
        Click(Form->Intro->EntryIntroBtn);
        EXPECT_EQ(Form->Topic->MainTextHeaderLbl->Caption(), "Koper");
        return *Form;
    }
    std::vector<std::string> Printed(RecordingPrinter& printer) const {
        std::vector<std::string> texts;
        for (const std::string& call : printer.Recording().CallsNamed("TextOut"))
            texts.push_back(call.substr(call.find('"')));
        return texts;
    }

    test::ProgramFolder Folder;
    TScreenOverride Screen640{{.Width = 640, .Height = 480, .BitsPerPixel = 24}};
    RecordingPrinter Printer;
    std::unique_ptr<TMainForm> Form;

private:
    TPrinter* FPreviousPrinter = nullptr;
};

// Asking for the printers loads the system's print support, the longest step of the start: the window asks
// once it is shown, at the first idle moment, and "Afdrukken" is there on the first topic shown.
TEST_F(PrintWindowTest, Start_AsksForThePrintersOnceAtTheFirstIdleMoment) {
    CountingPrinter counting;
    counting.Installed = {"PDF"};
    SetPrinter(&counting);
    Form = std::make_unique<TMainForm>();
    Form->ShowWindow();
    EXPECT_EQ(counting.Asked, 0) << "not while the window is first shown";
    Application().ProcessMessages();
    EXPECT_EQ(counting.Asked, 1);
    Click(Form->Intro->EntryIntroBtn);
    EXPECT_TRUE(Form->TextPrinter->MainTextPrintBtn->Visible()) << "on the first topic shown";
    Click(Form->Entry2Btn);
    Click(Form->Entry1Btn);
    EXPECT_EQ(counting.Asked, 1) << "asked once";

    // A reader quicker than the first idle moment is asked for at the first topic.
    Form.reset();
    counting.Asked = 0;
    Form = std::make_unique<TMainForm>();
    Form->ShowWindow();
    Click(Form->Intro->EntryIntroBtn);
    EXPECT_TRUE(Form->TextPrinter->MainTextPrintBtn->Visible());
    Application().ProcessMessages();
    EXPECT_EQ(counting.Asked, 1);
    Form.reset();
    SetPrinter(&Printer);
}

TEST_F(PrintWindowTest, Click_PrintsTheTopicOnDisplayAsOneJob) {
    TMainForm& form = OpenTopic();
    Click(form.TextPrinter->MainTextPrintBtn);
    EXPECT_EQ(Printer.Title, "Orvalis");
    EXPECT_EQ(Printer.Log, (std::vector<std::string>{"BeginDoc", "EndDoc"}));
    const std::vector<std::string> printed = Printed(Printer);
    ASSERT_EQ(printed.size(), 5u);
    EXPECT_EQ(printed[3], "\"Koper\")");
    EXPECT_EQ(printed[4], "\"Koper is een metaal.\")");
    EXPECT_EQ(Printer.Recording().Calls().back().Font.Name(), form.Topic->MainTextCtrl->Font().Name());

    Printer.Log.clear();
    form.TextPrinter->MainTextPrintBtnClick(form.ClipboardCopy->MainTextToClipBrdBtn);
    EXPECT_TRUE(Printer.Log.empty()) << "only its own button prints";
    Printer.SetupResult = false;
    Click(form.TextPrinter->MainTextPrintBtn);
    EXPECT_TRUE(Printer.Log.empty()) << "a cancelled setup dialog prints nothing";
}

TEST_F(PrintWindowTest, JobFailingHalfway_IsAbortedAndTheNextOnePrints) {
    // Pages 400 high hold 16 lines on page 1 and 19 on the others.
    FailingPrinter failing;
    failing.Height = Printer.Height = 400;
    SetPrinter(&failing);
    TMainForm& form = OpenTopic();
    Click(form.Contents->BaseBtns['Z' - 'A']);
    ASSERT_EQ(form.Topic->MainTextHeaderLbl->Caption(), "Zink");
    Click(form.TextPrinter->MainTextPrintBtn);
    EXPECT_EQ(failing.Log, (std::vector<std::string>{"BeginDoc", "Abort"}));
    EXPECT_FALSE(failing.Printing());

    SetPrinter(&Printer);
    Click(form.TextPrinter->MainTextPrintBtn);
    EXPECT_EQ(std::count(Printer.Log.begin(), Printer.Log.end(), "NewPage"), 6);
    EXPECT_EQ(Printer.Log.back(), "EndDoc");
}

// Runs a command line tool and answers its standard output; empty when it fails.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(PrintWindowTest, ThroughCups_WritesTheTopicAsAPdf) {
    if (!QPrinterInfo::availablePrinterNames().contains(PdfQueue))
        GTEST_SKIP() << "no CUPS queue " << PdfQueue.toStdString()
                     << ": cupsd cannot run here or the queue is missing (scripts/cups_pdf_queue.sh adds it)";
    SetPrinter(nullptr);
    ASSERT_FALSE(orvalis::Printer().Printers().empty());
    TMainForm& form = OpenTopic();
    Click(form.Contents->BaseBtns['Z' - 'A']);
    ASSERT_EQ(form.Topic->MainTextHeaderLbl->Caption(), "Zink");
    ASSERT_TRUE(form.TextPrinter->MainTextPrintBtn->Visible());

    const QStringList before = QDir(PdfFolder).entryList({"*.pdf"});
    // The reader picks the PDF queue in the setup dialog and accepts it; never another printer.
    bool accepted = false;
    QTimer picker;
    QObject::connect(&picker, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        picker.stop();
        for (QComboBox* box : dialog->findChildren<QComboBox*>())
            if (const int index = box->findText(PdfQueue); index >= 0) {
                box->setCurrentIndex(index);
                accepted = true;
            }
        accepted ? dialog->accept() : dialog->reject();
    });
    picker.start(50);
    Click(form.TextPrinter->MainTextPrintBtn);
    ASSERT_TRUE(accepted) << "no setup dialog offering " << PdfQueue.toStdString();

    // cups-pdf writes the file when CUPS has passed the job on; the queue is empty once it is written.
    QString pdf;
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        for (const QString& name : QDir(PdfFolder).entryList({"*.pdf"}))
            if (!before.contains(name))
                pdf = PdfFolder + "/" + name;
        if (!pdf.isEmpty() && RunTool("lpstat", {"-o", PdfQueue}).trimmed().isEmpty())
            break;
        QThread::msleep(200);
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << PdfFolder.toStdString() << " after a minute";
    const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
    for (const char* expected : {"Orvalis", "Zink", "Pagina 1", "Pagina 2", "Vervolg: Zink",
                                 "Regel 1 over zink en koper.", "Regel 120 over zink en koper."})
        EXPECT_TRUE(text.contains(expected)) << expected << " missing from:\n" << text.toStdString();
    for (const char* markup : {"<", ">", "{", "}"})
        EXPECT_FALSE(text.contains(markup)) << markup;
}

} // namespace
} // namespace orvalis
