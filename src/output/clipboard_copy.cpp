#include "output/clipboard_copy.h"
#include "content/short_string.h"
#include "controls/base_btn.h"
#include "controls/design_controls.h"
#include "controls/parser_control.h"
#include "output/publisher_notice.h"
#include "platform/label.h"
#include "platform/services.h"

namespace orvalis {

namespace {
constexpr std::string_view LineBreak = "\r\n";
constexpr std::string_view SourceLine =
    "Bron: Orvalis 2.0 - Gezond worden en gezond blijven met de natuur, "
    "uitgegeven door Uitgeverij Veldhaven, gemaakt door Brantwell Software.";
} // namespace

std::string ClipboardTopicText(std::string_view header, std::string_view markup) {
    std::string text = std::string(header) + std::string(LineBreak);
    CutToShortString(text);
    text += PlainTopicText(markup);
    text += LineBreak;
    text += PublisherNotice;
    text += LineBreak;
    text += SourceLine;
    return text;
}

TClipboardCopy::TClipboardCopy(TWinControl* page) {
    MainTextToClipBrdBtn = MakeButton(page, Bounds(487, 362, 70, 18), "Klembord",
                                      "Huidige onderdeel naar het klembord kopieren", TFace::Drawn);
    MainTextToClipBrdBtn->Hide();
}

void TClipboardCopy::MainTextToClipBrdBtnClick(TObject* Sender) {
    if (Sender != MainTextToClipBrdBtn || !FText || !FHeader)
        return;
    const char* markup = FText->GetText();
    if (!markup || !*markup)
        return;
    Clipboard().SetText(ClipboardTopicText(FHeader->Caption(), markup));
}

} // namespace orvalis
