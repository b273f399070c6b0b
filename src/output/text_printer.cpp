#include "output/text_printer.h"
#include "content/short_string.h"
#include "controls/base_btn.h"
#include "controls/design_controls.h"
#include "controls/parser_control.h"
#include "output/clipboard_copy.h"
#include "output/publisher_notice.h"
#include "platform/canvas.h"
#include "platform/label.h"
#include "platform/printers.h"

#include <string>

namespace orvalis {

namespace {
constexpr std::string_view ProductName = "Orvalis";
constexpr std::string_view PageLabel = "Pagina ";
constexpr std::string_view ContinuationLabel = "Vervolg: ";
constexpr int BodyPoints = 10;
constexpr int TitlePoints = 14;

std::string Joined(std::string_view a, std::string_view b) {
    std::string s(a);
    s += b;
    CutToShortString(s);
    return s;
}

// One job's page layout. Every measure derives from the size of "H" in the body font: TH its height,
// TW its width.
class TTopicPageLayout {
public:
    TTopicPageLayout(TPrinter& printer, const TFont& textFont, std::string_view title)
        : FPrinter(printer), FCanvas(printer.Canvas()), PrintTitle(ShortString(title)) {
        FCanvas.Brush().SetColor(clWhite);
        FCanvas.Brush().SetStyle(TBrushStyle::bsClear);
        // The canvas keeps the printer's resolution, so that the points are the printer's points.
        TFont font = textFont;
        font.SetPixelsPerInch(FCanvas.Font().PixelsPerInch());
        font.SetColor(clBlack);
        font.SetSize(BodyPoints);
        font.SetStyle({});
        FCanvas.Font().Assign(font);
        TH = FCanvas.TextHeight("H");
        TW = FCanvas.TextWidth("H");
        PW = printer.PageWidth();
        PH = printer.PageHeight();
    }

    void PrintFirstPageHead() {
        PrintY = 2 * TH;
        PrintHeaderAndFooter();
        PrintY = 3 * TH;
        FCanvas.Font().SetSize(TitlePoints);
        FCanvas.TextOut(6 * TW, PrintY, PrintTitle);
        FCanvas.Font().SetSize(BodyPoints);
        for (int i = 0; i < 3; ++i)
            PrintNewLine();
    }

    void PrintBody(std::string_view markup) {
        const std::string text = PlainTopicText(markup);
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\n' && i > 0 && text[i - 1] == '\r') {
                EndParagraph();
                continue;
            }
            if (c == '\r' || c == '\n')
                continue;
            if (PrintWord.size() < MaxShortStringLength)
                PrintWord += c;
            if (c == ' ')
                EndWord();
        }
        if (!PrintWord.empty()) {
            EndParagraph();
        } else if (!PrintLine.empty()) {
            PrintText(PrintLine);
            PrintNewLine();
        }
    }

private:
    int LineLimit() const { return PW - 12 * TW; }

    // The paragraph's last line; its last word goes to a line of its own when it does not fit.
    void EndParagraph() {
        const std::string line = Joined(PrintLine, PrintWord);
        if (FCanvas.TextWidth(line) > LineLimit()) {
            PrintText(PrintLine);
            PrintNewLine();
            PrintText(PrintWord);
        } else {
            PrintText(line);
        }
        PrintNewLine();
        PrintLine.clear();
        PrintWord.clear();
    }

    // A word with its trailing blank joins the line, or starts the next when the line would grow too wide.
    void EndWord() {
        const std::string line = Joined(PrintLine, PrintWord);
        if (FCanvas.TextWidth(line) > LineLimit()) {
            PrintText(PrintLine);
            PrintNewLine();
            PrintLine = PrintWord;
        } else {
            PrintLine = line;
        }
        PrintWord.clear();
    }

    // The page break waits for the next line, so that a topic ending at the foot of a page gets no page
    // with only a head.
    void PrintNewLine() {
        if (FPageFull)
            StartNextPage();
        PrintY += TH;
        FPageFull = PrintY > PH - 4 * TH;
    }

    void PrintText(std::string_view text) {
        if (FPageFull)
            StartNextPage();
        if (!text.empty())
            FCanvas.TextOut(6 * TW, PrintY, text);
    }

    void StartNextPage() {
        FPrinter.NewPage();
        FPageFull = false;
        PrintY = 2 * TH;
        FCanvas.TextOut(6 * TW, PrintY, Joined(ContinuationLabel, PrintTitle));
        PrintHeaderAndFooter();
        PrintY = 3 * TH;
    }

    void PrintHeaderAndFooter() {
        FCanvas.TextOut(PW - FCanvas.TextWidth(ProductName) - 3 * TW, PrintY, ProductName);
        const std::string page = std::string(PageLabel) + std::to_string(FPrinter.PageNumber());
        FCanvas.TextOut(PW - FCanvas.TextWidth(page) - 3 * TW, PH - 3 * TH, page);
        FCanvas.TextOut(6 * TW, PH - 3 * TH, PublisherNotice);
    }

    TPrinter& FPrinter;
    TCanvas& FCanvas;
    int TH = 0, TW = 0, PW = 0, PH = 0;
    int PrintY = 0;
    bool FPageFull = false;
    std::string PrintTitle;
    std::string PrintWord;
    std::string PrintLine;
};
} // namespace

void PrintTopicPages(TPrinter& printer, const TFont& textFont, std::string_view title,
                     std::string_view markup) {
    TTopicPageLayout layout(printer, textFont, title);
    layout.PrintFirstPageHead();
    layout.PrintBody(markup);
}

TTextPrinter::TTextPrinter(TWinControl* page, TControl* dialogOwner) : FDialogOwner(dialogOwner) {
    MainTextPrintBtn =
        MakeButton(page, Bounds(560, 362, 70, 18), "Afdrukken", "Huidige onderdeel afdrukken", TFace::Drawn);
    MainTextPrintBtn->Hide();
}

void TTextPrinter::MainTextPrintBtnClick(TObject* Sender) {
    if (Sender != MainTextPrintBtn || !FText || !FHeader || !FFontSource)
        return;
    const char* markup = FText->GetText();
    if (!markup || !*markup)
        return;
    TPrinter& printer = Printer();
    if (printer.Printers().empty() || !printer.SetupDialog(FDialogOwner))
        return;
    // Whatever fails on the way ends the job silently; aborting it frees the printer for the next one.
    try {
        printer.SetTitle(std::string(ProductName));
        if (!printer.BeginDoc())
            return;
        PrintTopicPages(printer, FFontSource->Font(), FHeader->Caption(), markup);
        if (!printer.Aborted())
            printer.EndDoc();
    } catch (...) {
        if (printer.Printing())
            printer.Abort();
    }
}

} // namespace orvalis
