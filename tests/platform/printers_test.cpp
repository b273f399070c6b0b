#include "platform/canvas.h"
#include "platform/printers.h"
#include "platform/radio_button.h"

#include <QFile>
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
