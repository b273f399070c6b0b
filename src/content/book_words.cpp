#include "content/book_words.h"
#include "content/ascii_case.h"
#include "content/idb_rec_file.h"
#include "content/markup_tags.h"
#include "content/short_string.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace orvalis {

namespace {
// The letters of a word of the book: digits, ASCII letters and the letters of Windows-1252 (the accented
// ones from 0xC0 on, without the multiplication and division signs, and the few below). Unlike the phrase
// test's word bytes, they keep "patiënt" and "cafeïne" whole.
constexpr std::array<bool, 256> Letters = [] {
    std::array<bool, 256> letters{};
    for (int c = '0'; c <= '9'; ++c)
        letters[c] = true;
    for (int c = 'A'; c <= 'Z'; ++c)
        letters[c] = letters[c + ('a' - 'A')] = true;
    for (int c : {0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F})
        letters[c] = true;
    for (int c = 0xC0; c <= 0xFF; ++c)
        letters[c] = c != 0xD7 && c != 0xF7;
    return letters;
}();

bool IsLetter(char c) {
    return Letters[static_cast<unsigned char>(c)];
}

constexpr uint64_t FnvBasis = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;

// The words of a folded text, split at every byte that is no letter.
std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    for (size_t i = 0; i < text.size();) {
        if (!IsLetter(text[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && IsLetter(text[i]))
            ++i;
        words.push_back(text.substr(start, i - start));
    }
    return words;
}

// Searches, and titles checked for whether a search finds them, at most this often for one offer.
constexpr int MostChecks = 6;
} // namespace

int EditDistance(std::string_view a, std::string_view b, int most) {
    const int big = most + 1;
    const int la = static_cast<int>(a.size()), lb = static_cast<int>(b.size());
    if (most < 0 || std::abs(la - lb) > most)
        return std::max(big, 0);
    if (la == 0 || lb == 0)
        return std::max(la, lb);
    // Only the cells within `most` of the diagonal can stay within reach; those outside count as `big`.
    std::vector<int> prev(static_cast<size_t>(lb) + 2), cur(static_cast<size_t>(lb) + 2);
    for (int j = 0; j <= lb; ++j)
        prev[j] = std::min(j, big);
    prev[lb + 1] = big;
    for (int i = 1; i <= la; ++i) {
        const int lo = std::max(1, i - most), hi = std::min(lb, i + most);
        cur[lo - 1] = lo == 1 ? std::min(i, big) : big;
        int rowMin = cur[lo - 1];
        for (int j = lo; j <= hi; ++j) {
            const int substitute = prev[j - 1] + (a[i - 1] != b[j - 1] ? 1 : 0);
            const int v = std::min({substitute, prev[j] + 1, cur[j - 1] + 1, big});
            cur[j] = v;
            rowMin = std::min(rowMin, v);
        }
        cur[hi + 1] = big;
        if (rowMin > most)
            return big;
        std::swap(prev, cur);
    }
    return std::min(prev[lb], big);
}

int CorrectionReach(std::string_view word) {
    return word.size() <= 2 ? 0 : word.size() <= 4 ? 1 : 2;
}

void TBookWords::Clear() {
    FTitles.clear();
    FWordBytes.clear();
    FWordEnds.clear();
    FWordCounts.clear();
    FWordHashes.clear();
    FSlots.clear();
}

std::string_view TBookWords::Word(size_t index) const {
    const uint32_t start = index == 0 ? 0 : FWordEnds[index - 1];
    return std::string_view(FWordBytes).substr(start, FWordEnds[index] - start);
}

void TBookWords::AddWord(std::string_view folded, uint64_t hash) {
    size_t mask = FSlots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const uint32_t entry = FSlots[slot];
        if (entry == 0)
            break;
        if (FWordHashes[entry - 1] == hash && Word(entry - 1) == folded) {
            ++FWordCounts[entry - 1];
            return;
        }
    }
    FWordBytes.append(folded);
    FWordEnds.push_back(static_cast<uint32_t>(FWordBytes.size()));
    FWordCounts.push_back(1);
    FWordHashes.push_back(hash);
    if (FWordEnds.size() * 2 > FSlots.size()) {
        FSlots.assign(FSlots.size() * 2, 0);
        mask = FSlots.size() - 1;
        for (uint32_t i = 0; i < FWordHashes.size(); ++i) {
            size_t slot = FWordHashes[i] & mask;
            while (FSlots[slot] != 0)
                slot = (slot + 1) & mask;
            FSlots[slot] = i + 1;
        }
        return;
    }
    size_t slot = hash & mask;
    while (FSlots[slot] != 0)
        slot = (slot + 1) & mask;
    FSlots[slot] = static_cast<uint32_t>(FWordEnds.size());
}

void TBookWords::Build(const TiDbRecFile& file) {
    Clear();
    FSlots.assign(size_t(1) << 16, 0);
    std::unordered_set<std::string> titles;
    std::array<char, 256> word{};
    file.VisitSearchedTopics([&](std::string_view title, std::string_view text) {
        std::string folded = LowerAscii(title);
        if (!folded.empty() && titles.insert(folded).second)
            FTitles.push_back({std::string(title), std::move(folded)});
        TTagReader tags(text);
        const size_t n = text.size();
        for (size_t i = 0; i < n;) {
            if (!IsLetter(text[i])) {
                size_t end = 0;
                if (text[i] == '<' && !tags.Token(i, end).empty())
                    i = end;
                else
                    ++i;
                continue;
            }
            const size_t start = i;
            uint64_t hash = FnvBasis;
            size_t length = 0;
            for (; i < n && IsLetter(text[i]); ++i) {
                const char c = LowerAscii(text[i]);
                if (length < word.size())
                    word[length] = c;
                ++length;
                hash = (hash ^ static_cast<unsigned char>(c)) * FnvPrime;
            }
            // A search word is at most 255 characters; one letter, or a number, corrects nothing.
            if (length < 2 || length > 255 || (text[start] >= '0' && text[start] <= '9'))
                continue;
            if (start == 2 || (start > 0 && text[start - 1] == ' '))
                AddWord(std::string_view(word.data(), length), hash);
        }
        return true;
    });
}

std::vector<TBookWords::TCandidate> TBookWords::WordCandidates(std::string_view word) const {
    std::vector<TCandidate> found;
    const int reach = CorrectionReach(word);
    const size_t shortest = word.size() > size_t(reach) ? word.size() - reach : 0;
    for (size_t i = 0; i < FWordEnds.size(); ++i) {
        const std::string_view candidate = Word(i);
        if (candidate.size() < shortest || candidate.size() > word.size() + reach)
            continue;
        const int distance = EditDistance(word, candidate, reach);
        if (distance <= reach)
            found.push_back({distance, FWordCounts[i], candidate});
    }
    std::sort(found.begin(), found.end(), [](const TCandidate& a, const TCandidate& b) {
        if (a.Distance != b.Distance)
            return a.Distance < b.Distance;
        if (a.Count != b.Count)
            return a.Count > b.Count;
        return a.Text < b.Text;
    });
    return found;
}

std::vector<std::string> TBookWords::Corrections(std::string_view typed,
                                                 const std::function<bool(const std::string&)>& finds,
                                                 size_t most) const {
    std::string folded = LowerAscii(ShortString(typed));
    folded.erase(0, folded.find_first_not_of(' '));
    folded.erase(folded.find_last_not_of(' ') + 1);
    std::vector<std::string> offered;
    std::vector<std::string> offeredFolded{folded};
    // Adds the correction unless it is the typed text or offered already; true once the offer is full.
    const auto offer = [&](const std::string& text) {
        std::string key = LowerAscii(text);
        if (std::find(offeredFolded.begin(), offeredFolded.end(), key) != offeredFolded.end())
            return offered.size() >= most;
        offeredFolded.push_back(std::move(key));
        offered.push_back(text);
        return offered.size() >= most;
    };
    if (folded.empty() || most == 0)
        return offered;

    const int reach = CorrectionReach(folded);
    std::vector<std::pair<int, const TTitle*>> titles;
    for (const TTitle& title : FTitles) {
        const int distance = EditDistance(folded, title.Folded, reach);
        if (distance > 0 && distance <= reach)
            titles.emplace_back(distance, &title);
    }
    std::sort(titles.begin(), titles.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second->Folded < b.second->Folded;
    });
    int checks = 0;
    for (const auto& [distance, title] : titles) {
        if (checks++ >= MostChecks)
            break;
        if (finds(title->Shown) && offer(title->Shown))
            return offered;
    }

    const std::vector<std::string_view> words = SplitWords(folded);
    if (words.size() == 1) {
        for (const TCandidate& candidate : WordCandidates(words[0]))
            if (offer(std::string(candidate.Text)))
                break;
        return offered;
    }
    if (words.empty())
        return offered;
    // Each word of several: itself when the book has it, else its nearest words.
    std::vector<std::vector<std::string_view>> choices;
    for (std::string_view word : words) {
        std::vector<std::string_view> choice;
        // A word of one or two letters is kept as typed.
        if (CorrectionReach(word) == 0)
            choice.push_back(word);
        for (const TCandidate& candidate : WordCandidates(word))
            if (choice.size() < most)
                choice.push_back(candidate.Text);
        if (choice.empty())
            return offered;
        choices.push_back(std::move(choice));
    }
    for (size_t k = 0; k < most && checks < 2 * MostChecks; ++k) {
        std::string group;
        for (const std::vector<std::string_view>& choice : choices) {
            if (!group.empty())
                group += ' ';
            group += choice[std::min(k, choice.size() - 1)];
        }
        ++checks;
        if (std::find(offeredFolded.begin(), offeredFolded.end(), group) == offeredFolded.end() &&
            group.size() <= 255 && finds(group) && offer(group))
            break;
    }
    return offered;
}

} // namespace orvalis
