#pragma once

#include "content/markup_tags.h"

#include <string>
#include <string_view>

namespace orvalis {

class TBaseBtn;
class TLabel;
class TObject;
class TWinControl;
class GCustomParserControl;

// What the clipboard receives for a topic: its header line (with the line break, 255 characters in all),
// the plain text, and the publisher's notice and source lines.
std::string ClipboardTopicText(std::string_view header, std::string_view markup);

// The "Klembord" button under the text: copies the topic on display to the platform clipboard.
class TClipboardCopy {
public:
    // Builds the button, hidden, at its design position on the page.
    explicit TClipboardCopy(TWinControl* page);
    TClipboardCopy(const TClipboardCopy&) = delete;
    TClipboardCopy& operator=(const TClipboardCopy&) = delete;

    // The topic's header label and its text.
    void Connect(const TLabel* header, const GCustomParserControl* text) {
        FHeader = header;
        FText = text;
    }

    TBaseBtn* MainTextToClipBrdBtn = nullptr;

    // Copies only for the button itself and only while a topic is on display.
    void MainTextToClipBrdBtnClick(TObject* Sender);

private:
    const TLabel* FHeader = nullptr;
    const GCustomParserControl* FText = nullptr;
};

} // namespace orvalis
