#pragma once

#include "content/idb_rec_file.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orvalis {

// The navigation state: a set of these bits. At most one section flag and at most one of nfContent,
// nfSearch and nfHyperLink is set; the empty set means that no section has been entered.
enum TNavFlag : uint8_t {
    nfContent = 0x01,
    nfExtraInfo = 0x02,
    nfRecipe = 0x04,
    nfSearch = 0x08,
    nfHyperLink = 0x10,
    nfSection1 = 0x20,
    nfSection2 = 0x40,
    nfSection3 = 0x80,
};
constexpr uint8_t nfSections = nfSection1 | nfSection2 | nfSection3;

// The state the reading areas share with the main window: where the reader is, the database and the
// topic on display.
struct TReadingState {
    uint8_t NavFlags = 0;
    // The record database; none after the close query freed it.
    std::unique_ptr<TiDbRecFile> RecFile;
    // The topic on display (its Id), and the ordinals of its extra-information and recipe records in the
    // current selection; 0 for none.
    int32_t TopicId = 0;
    int32_t ExtraInfoOrdinal = 0;
    int32_t RecipeOrdinal = 0;
    // The query of the search whose results are listed (typed, re-run or a link's), and whether its words
    // must begin a word as in the keyword search: a topic shown from the results marks what matched. Typed
    // is the search text as the search field showed it: the words searched for, or the link's target.
    struct TShownQuery {
        std::string Text;
        bool Strict = false;
        std::string Typed;
    } HitQuery;

    bool Has(uint8_t flags) const { return (NavFlags & flags) != 0; }
    void Set(uint8_t flags) { NavFlags = static_cast<uint8_t>(NavFlags | flags); }
    void Clear(uint8_t flags) { NavFlags = static_cast<uint8_t>(NavFlags & ~flags); }
    // Makes the section of the path code ('1' to '3') the only section flag; another code clears them all.
    void SetSection(char section);
    // The path code of the current section: '1' to '3', or 0 outside the sections.
    char SectionCode() const;
};

} // namespace orvalis
