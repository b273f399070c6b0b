#include "platform/printers.h"
#include "platform/control.h"
#include "platform/qt_canvas.h"
#include "platform/qt_text.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <stdexcept>

namespace orvalis {

namespace {
class QtPrinter : public TPrinter {
public:
    explicit QtPrinter(const QString& pdfFile = {}) : FPrinter(QPrinter::HighResolution) {
        if (!pdfFile.isEmpty()) {
            FPrinter.setOutputFormat(QPrinter::PdfFormat);
            FPrinter.setOutputFileName(pdfFile);
            FToFile = true;
        }
    }

    std::vector<std::string> Printers() const override {
        if (FToFile)
            return {"PDF"};
        std::vector<std::string> names;
        const QString def = QPrinterInfo::defaultPrinterName();
        if (!def.isEmpty())
            names.push_back(ToCp1252(def));
        for (const QString& n : QPrinterInfo::availablePrinterNames())
            if (n != def)
                names.push_back(ToCp1252(n));
        return names;
    }

    bool SetupDialog(TControl* owner) override {
        if (FToFile)
            return true;
        if (Printers().empty())
            return false;
        QPrintDialog dialog(&FPrinter, owner ? owner->Widget() : nullptr);
        return dialog.exec() == QDialog::Accepted;
    }

    void SetTitle(const std::string& title) override { FPrinter.setDocName(FromCp1252(title)); }

    bool BeginDoc() override {
        if (FPainter.isActive())
            return false;
        if (!FPainter.begin(&FPrinter))
            return false;
        FCanvas = std::make_unique<QtCanvas>(&FPainter);
        // Point sizes set on the canvas are the printer's points, not the screen's.
        FCanvas->Font().SetPixelsPerInch(FPrinter.resolution());
        FPage = 1;
        FAborted = false;
        return true;
    }

    void NewPage() override {
        if (!FPainter.isActive())
            return;
        // The canvas gathers words and draws them later: they belong on the page they were written on.
        if (FCanvas)
            FCanvas->Flush();
        if (!FPrinter.newPage())
            throw std::runtime_error("the printer cannot start a new page");
        ++FPage;
    }

    void EndDoc() override {
        FCanvas.reset();
        if (FPainter.isActive())
            FPainter.end();
    }

    void Abort() override {
        if (!FPainter.isActive())
            return;
        FCanvas.reset();
        FPrinter.abort();
        FPainter.end();
        FAborted = true;
    }

    bool Printing() const override { return FPainter.isActive(); }
    bool Aborted() const override { return FAborted; }
    int PageNumber() const override { return FPage; }
    int PageWidth() const override {
        return FPrinter.pageLayout().paintRectPixels(FPrinter.resolution()).width();
    }
    int PageHeight() const override {
        return FPrinter.pageLayout().paintRectPixels(FPrinter.resolution()).height();
    }
    TCanvas& Canvas() override {
        if (!FCanvas)
            FCanvas = std::make_unique<QtCanvas>(&FPainter);
        return *FCanvas;
    }

private:
    QPrinter FPrinter;
    QPainter FPainter;
    std::unique_ptr<QtCanvas> FCanvas;
    bool FToFile = false;
    bool FAborted = false;
    int FPage = 0;
};

TPrinter* ReplacedPrinter = nullptr;
} // namespace

TPrinter& Printer() {
    if (ReplacedPrinter)
        return *ReplacedPrinter;
    static QtPrinter qt;
    return qt;
}

TPrinter* SetPrinter(TPrinter* service) {
    return std::exchange(ReplacedPrinter, service);
}

std::unique_ptr<TPrinter> CreatePdfPrinter(const std::string& fileName) {
    return std::make_unique<QtPrinter>(QString::fromStdString(fileName));
}

} // namespace orvalis
