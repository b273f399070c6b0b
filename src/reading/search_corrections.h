#pragma once

#include "content/book_words.h"
#include "controls/parser_control.h"

#include <functional>
#include <string>
#include <vector>

namespace orvalis {

class TScrollBox;
class TiDbRecFile;

// "Bedoelde u …?": under the hit count of a typed search that found nothing, up to three corrections from
// the book's own words, each a link that searches for it. The word list is built once, on the first search
// that needs it, so that loading the book costs nothing more.
class TSearchCorrections {
public:
    // Builds the offer's box on the search page at its design position, hidden.
    explicit TSearchCorrections(TWinControl* searchPage);
    TSearchCorrections(const TSearchCorrections&) = delete;
    TSearchCorrections& operator=(const TSearchCorrections&) = delete;

    // The renderer inside CorrectionsCtrl, made by the window as its other texts are.
    void Connect(GParserControl* correctionsText);

    TScrollBox* CorrectionsCtrl = nullptr;
    GParserControl* CorrectionsText = nullptr;

    // Offers the corrections of the typed text, or shows nothing when there are none.
    void Offer(const TiDbRecFile& file, const std::string& typed);
    void Hide();
    // The reader clicked a correction.
    std::function<void(const std::string& correction)> OnCorrectionClick;

    // The offer's markup: "Bedoelde u " and the corrections as links, joined by ", " and " of ", then "?";
    // empty without corrections. A correction that the markup cannot carry (a '<', '>' or '"') is left out.
    static std::string OfferMarkup(const std::vector<std::string>& corrections);

private:
    TBookWords FWords;
    bool FWordsBuilt = false;
};

} // namespace orvalis
