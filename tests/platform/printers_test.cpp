#include "platform/canvas.h"
#include "platform/printers.h"
#include "platform/radio_button.h"

#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(Printer, PdfJob_WritesOnePagePerPageAndCountsThem) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("job.pdf").toStdString();
    auto printer = CreatePdfPrinter(file);
    EXPECT_TRUE(printer->SetupDialog(nullptr));
    printer->SetTitle("Orvalis");
    ASSERT_TRUE(printer->BeginDoc());
    EXPECT_FALSE(printer->BeginDoc()) << "one document at a time";
    EXPECT_EQ(printer->PageNumber(), 1);
    EXPECT_GT(printer->PageWidth(), 1000);
    EXPECT_GT(printer->PageHeight(), printer->PageWidth());
    printer->Canvas().Font().SetSize(10);
    EXPECT_GT(printer->Canvas().TextHeight("H"), 0);
    printer->Canvas().TextOut(100, 100, "Pagina 1");
    printer->NewPage();
    EXPECT_EQ(printer->PageNumber(), 2);
    printer->Canvas().TextOut(100, 100, "Pagina 2");
    printer->EndDoc();
    EXPECT_FALSE(printer->Printing());
    EXPECT_FALSE(printer->Aborted());

    QFile pdf(QString::fromStdString(file));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Count 2"));

    ASSERT_TRUE(printer->BeginDoc()) << "a finished job leaves the printer free";
    printer->Abort();
    EXPECT_TRUE(printer->Aborted());
    EXPECT_FALSE(printer->Printing());
}

// The text of one page of a PDF, as poppler's pdftotext reads it.
std::string PdfPageText(const QString& file, int page) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), file, "-"});
    if (!pdftotext.waitForFinished(30000))
        return "pdftotext did not finish";
    return pdftotext.readAllStandardOutput().trimmed().toStdString();
}

TEST(Printer, PdfJob_TransparentTextStaysOnItsPageInPrinterPoints) {
    QTemporaryDir dir;
    const QString file = dir.filePath("text.pdf");
    auto printer = CreatePdfPrinter(file.toStdString());
    ASSERT_TRUE(printer->BeginDoc());
    TCanvas& canvas = printer->Canvas();
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetSize(10);
    // Ten points are 10/72 inch at the printer's resolution, whatever that is.
    const int pageInches = printer->PageWidth() / canvas.Font().PixelsPerInch();
    EXPECT_TRUE(pageInches >= 7 && pageInches <= 9) << pageInches << " inches wide";
    const double points = canvas.TextHeight("H") * 72.0 / canvas.Font().PixelsPerInch();
    EXPECT_GT(points, 9.0);
    EXPECT_LT(points, 14.0);
    canvas.TextOut(100, 100, "eerste");
    printer->NewPage();
    canvas.TextOut(100, 100, "tweede");
    printer->EndDoc();

    EXPECT_EQ(PdfPageText(file, 1), "eerste");
    EXPECT_EQ(PdfPageText(file, 2), "tweede");
}

TEST(RadioButton, CheckingOneUnchecksItsSiblings) {
    TWinControl parent;
    auto* a = new TRadioButton(&parent);
    auto* b = new TRadioButton(&parent);
    a->SetCaption("Ja \x80");
    EXPECT_EQ(a->Caption(), "Ja \x80");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(clicks, 0) << "only the user's clicks raise OnClick";
    static_cast<QRadioButton*>(a->Widget())->click();
    EXPECT_TRUE(a->Checked());
}

} // namespace
} // namespace orvalis
