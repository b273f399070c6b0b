#pragma once

#include <string_view>

namespace orvalis {

class TBaseBtn;
class TControl;
class TFont;
class TLabel;
class TObject;
class TPrinter;
class TWinControl;
class GCustomParserControl;

// Lays out a topic on the pages of a begun print job: the product name at the head and the page number and
// publisher's notice at the foot of every page, the title in 14 points on the first page and after
// "Vervolg: " on the others, and the markup's plain text word-wrapped in 10 points between margins of six
// widths of "H". The body font is textFont's name in black, without styles, at the printer's resolution.
// Ends with the last line printed; ending the document is the caller's.
void PrintTopicPages(TPrinter& printer, const TFont& textFont, std::string_view title,
                     std::string_view markup);

// The "Afdrukken" button under the text: prints the topic on display on a printer the reader chooses.
class TTextPrinter {
public:
    // Builds the button, hidden, at its design position on the page; the setup dialog belongs to
    // dialogOwner.
    TTextPrinter(TWinControl* page, TControl* dialogOwner);
    TTextPrinter(const TTextPrinter&) = delete;
    TTextPrinter& operator=(const TTextPrinter&) = delete;

    // The topic's header label and its text; the body font comes from fontSource (the box around the
    // text).
    void Connect(const TLabel* header, const GCustomParserControl* text, const TControl* fontSource) {
        FHeader = header;
        FText = text;
        FFontSource = fontSource;
    }

    TBaseBtn* MainTextPrintBtn = nullptr;

    // Prints only for the button itself, while a topic is on display, and after the reader accepted the
    // printer-setup dialog. A job that fails on the way is aborted, so the printer is free for the next.
    void MainTextPrintBtnClick(TObject* Sender);

private:
    const TLabel* FHeader = nullptr;
    const GCustomParserControl* FText = nullptr;
    const TControl* FFontSource = nullptr;
    TControl* FDialogOwner;
};

} // namespace orvalis
