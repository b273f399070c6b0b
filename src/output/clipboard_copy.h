#pragma once

#include "content/markup_tags.h"

#include <string>
#include <string_view>

namespace orvalis {

class TBaseBtn;
class TLabel;
class TObject;
class GCustomParserControl;

// What the clipboard receives for a topic: its header line (with the line break, 255 characters in all),
// the plain text, and the publisher's notice and source lines.
std::string ClipboardTopicText(std::string_view header, std::string_view markup);

// The "Klembord" button under the text: copies the topic on display to the platform clipboard.
class TClipboardCopy {
public:
    TClipboardCopy(TBaseBtn* button, TLabel* header, GCustomParserControl* text)
        : FButton(button), FHeader(header), FText(text) {}

    // Copies only for the button itself and only while a topic is on display.
    void MainTextToClipBrdBtnClick(TObject* Sender);

private:
    TBaseBtn* FButton;
    TLabel* FHeader;
    GCustomParserControl* FText;
};

} // namespace orvalis
