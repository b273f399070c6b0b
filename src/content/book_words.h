#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

class TiDbRecFile;

// The number of single-byte insertions, deletions and substitutions that turn one text into the other,
// when it is at most `most`; most + 1 otherwise (the count stops there, which keeps long texts cheap).
int EditDistance(std::string_view a, std::string_view b, int most);

// How many edits a correction of a typed word may be away from it: two, but fewer for short words, where
// two edits reach nearly any word of the book.
int CorrectionReach(std::string_view word);

// The book's own words, for corrections of a search that found nothing: the titles of the topics the
// keyword search tests, and the words of their texts. Built once after the load; the database is not
// needed afterwards, except by the check that a correction finds something.
class TBookWords {
public:
    // Replaces the lists by the database's. A text word is kept only where it begins the text's third byte
    // or follows a space, as the keyword search wants a typed word to stand; words inside markup tags are
    // not the book's.
    void Build(const TiDbRecFile& file);
    void Clear();

    // Up to `most` corrections of the typed text (ASCII case ignored), best first: titles within reach of
    // the whole text, then, for a single word, words of the texts within reach of it, and for several
    // words, the text with each word replaced by a word within reach of it. Titles and word groups are
    // offered only when `finds` says that a search for them finds something; a text word always does. The
    // typed text itself is never offered.
    std::vector<std::string> Corrections(std::string_view typed,
                                         const std::function<bool(const std::string&)>& finds,
                                         size_t most = 3) const;

    size_t TitleCount() const { return FTitles.size(); }
    size_t WordCount() const { return FWordEnds.size(); }

private:
    struct TTitle {
        std::string Shown;
        std::string Folded;
    };
    struct TCandidate {
        int Distance;
        uint32_t Count;
        std::string_view Text;
    };
    std::string_view Word(size_t index) const;
    // The text words within reach of the word, nearest first, then the most used, then in byte order.
    std::vector<TCandidate> WordCandidates(std::string_view word) const;
    void AddWord(std::string_view folded, uint64_t hash);

    std::vector<TTitle> FTitles;
    // The distinct text words, folded, one after another in FWordBytes; FWordEnds[i] ends word i.
    std::string FWordBytes;
    std::vector<uint32_t> FWordEnds;
    std::vector<uint32_t> FWordCounts;
    std::vector<uint64_t> FWordHashes;
    // Open addressing over the words: index + 1, or 0 for a free slot.
    std::vector<uint32_t> FSlots;
};

} // namespace orvalis
