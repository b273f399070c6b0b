#include "reading/search_corrections.h"
#include "content/idb_query.h"
#include "content/idb_rec_file.h"
#include "platform/scroll_box.h"
#include "reading/search_query.h"

namespace orvalis {

TSearchCorrections::TSearchCorrections(TWinControl* searchPage) {
    // Under the hit count, whose caption takes the first of its two lines.
    CorrectionsCtrl = new TScrollBox(searchPage);
    CorrectionsCtrl->SetBounds(15, 343, 198, 34);
    CorrectionsCtrl->SetHorzScrollBarVisible(false);
    CorrectionsCtrl->SetVertScrollIncrement(13);
    CorrectionsCtrl->Hide();
}

void TSearchCorrections::Connect(GParserControl* correctionsText) {
    CorrectionsText = correctionsText;
    CorrectionsText->OnHyperLinkClick = [this](TObject*, std::string& HRef) {
        if (OnCorrectionClick)
            OnCorrectionClick(HRef);
    };
}

std::string TSearchCorrections::OfferMarkup(const std::vector<std::string>& corrections) {
    std::vector<const std::string*> kept;
    for (const std::string& correction : corrections)
        if (correction.find_first_of("<>\"") == std::string::npos)
            kept.push_back(&correction);
    if (kept.empty())
        return {};
    std::string markup = "Bedoelde u ";
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            markup += i + 1 == kept.size() ? " of " : ", ";
        markup += "<A HREF=\"" + *kept[i] + "\">" + *kept[i] + "</A>";
    }
    return markup + "?";
}

void TSearchCorrections::Offer(const TiDbRecFile& file, const std::string& typed) {
    if (!FWordsBuilt) {
        FWords.Build(file);
        FWordsBuilt = true;
    }
    const auto finds = [&file](const std::string& text) {
        std::string query = TypedSearchQuery(text);
        TiDbQuery request{query.data(), static_cast<int32_t>(query.size())};
        return file.AnyByQuery(request);
    };
    const std::string markup = OfferMarkup(FWords.Corrections(typed, finds));
    if (markup.empty()) {
        Hide();
        return;
    }
    if (CorrectionsText)
        CorrectionsText->SetText(markup);
    CorrectionsCtrl->SetVertScrollPosition(0);
    CorrectionsCtrl->Show();
}

void TSearchCorrections::Hide() {
    if (!CorrectionsCtrl->Visible())
        return;
    CorrectionsCtrl->Hide();
    if (CorrectionsText)
        CorrectionsText->SetText(nullptr);
}

} // namespace orvalis
