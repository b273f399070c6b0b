#include "content/idb_query.h"
#include "content/short_string.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvalis {

namespace {

constexpr std::array<uint8_t, 256> MakeFoldTable() {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<uint8_t>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    return table;
}
constexpr std::array<uint8_t, 256> Fold = MakeFoldTable();

inline uint8_t FoldAt(std::string_view text, size_t i) {
    return Fold[static_cast<uint8_t>(text[i])];
}

enum class TOperator { Required, Excluded, Optional };

void AddTerm(TQueryTerms& terms, TOperator op, bool phrase, std::string term) {
    CutToShortString(term);
    if (term.empty())
        return;
    switch (op) {
    case TOperator::Required:
        (phrase ? terms.RequiredPhrases : terms.RequiredWords).push_back(std::move(term));
        break;
    case TOperator::Excluded:
        (phrase ? terms.ExcludedPhrases : terms.ExcludedWords).push_back(std::move(term));
        break;
    case TOperator::Optional:
        (phrase ? terms.OptionalPhrases : terms.OptionalWords).push_back(std::move(term));
        break;
    }
}

std::vector<TFoldedSearcher> Searchers(const std::vector<std::string>& terms) {
    std::vector<TFoldedSearcher> out;
    out.reserve(terms.size());
    for (const std::string& t : terms)
        out.emplace_back(t);
    return out;
}

} // namespace

bool TQueryTerms::Empty() const {
    return RequiredWords.empty() && RequiredPhrases.empty() && ExcludedWords.empty() &&
           ExcludedPhrases.empty() && OptionalWords.empty() && OptionalPhrases.empty();
}

void FoldQuery(TiDbQuery& query) {
    if (query.Text == nullptr)
        return;
    for (int32_t i = 0; i < query.TextLen; ++i)
        query.Text[i] = static_cast<char>(Fold[static_cast<uint8_t>(query.Text[i])]);
}

TQueryTerms ParseQuery(std::string_view q) {
    TQueryTerms terms;
    if (q.size() < 2)
        return terms;
    size_t i = 0;
    while (i < q.size()) {
        const char c = q[i++];
        TOperator op;
        if (c == '+')
            op = TOperator::Required;
        else if (c == '-')
            op = TOperator::Excluded;
        else if (c == '%')
            op = TOperator::Optional;
        else
            continue;
        if (i < q.size() && q[i] == '"') {
            ++i;
            const size_t close = q.find('"', i);
            const size_t end = close == std::string_view::npos ? q.size() : close;
            AddTerm(terms, op, true, std::string(q.substr(i, end - i)));
            i = close == std::string_view::npos ? q.size() : close + 1;
            continue;
        }
        const size_t end = std::min(q.find_first_of("\"+-%", i), q.size());
        AddTerm(terms, op, false, std::string(q.substr(i, end - i)));
        i = end;
        if (i < q.size() && q[i] == '"')
            ++i;
    }
    return terms;
}

bool IsWordByte(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0x80 && c <= 0xA5);
}

TFoldedSearcher::TFoldedSearcher(std::string_view pattern) : FPattern(pattern) {
    const size_t m = FPattern.size();
    const auto maxShift = static_cast<uint8_t>(std::min<size_t>(m == 0 ? 1 : m, 255));
    FShift.fill(maxShift);
    // Shifts beyond 255 are capped; a smaller shift is always safe.
    for (size_t j = 0; j + 1 < m; ++j) {
        const size_t distance = m - 1 - j;
        if (distance < 255)
            FShift[static_cast<uint8_t>(FPattern[j])] = static_cast<uint8_t>(distance);
    }
}

namespace {

// Compares the pattern with the text at `at` as the lower-cased text would.
bool FoldedEqual(std::string_view text, size_t at, std::string_view pattern) {
    for (size_t j = 0; j < pattern.size(); ++j) {
        if (FoldAt(text, at + j) != static_cast<uint8_t>(pattern[j]))
            return false;
    }
    return true;
}

} // namespace

size_t TFoldedSearcher::Find(std::string_view text, size_t from) const {
    const size_t m = FPattern.size();
    if (m == 0)
        return from <= text.size() ? from : std::string_view::npos;
    if (text.size() < m || from > text.size() - m)
        return std::string_view::npos;
    const size_t limit = text.size() - m; // last possible start
    size_t i = from;
#if defined(__SSE2__)
    // Sixteen candidate starts at a time: a start is a candidate when both the pattern's first and last byte
    // stand in the right places. Setting bit 0x20 of a text byte folds exactly A-Z onto a-z (and no other
    // byte onto a letter), so for a letter of the pattern the comparison covers both cases.
    const auto first = static_cast<uint8_t>(FPattern[0]);
    const auto last = static_cast<uint8_t>(FPattern[m - 1]);
    const auto isLetter = [](uint8_t c) { return c >= 'a' && c <= 'z'; };
    const __m128i foldFirst = _mm_set1_epi8(isLetter(first) ? 0x20 : 0);
    const __m128i foldLast = _mm_set1_epi8(isLetter(last) ? 0x20 : 0);
    const __m128i wantFirst = _mm_set1_epi8(static_cast<char>(first));
    const __m128i wantLast = _mm_set1_epi8(static_cast<char>(last));
    const char* data = text.data();
    while (i + 15 <= limit) {
        const __m128i a =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i)), foldFirst);
        const __m128i b =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + m - 1)), foldLast);
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, wantFirst), _mm_cmpeq_epi8(b, wantLast))));
        while (mask != 0) {
            const size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
            if (FoldedEqual(text, at, FPattern))
                return at;
            mask &= mask - 1;
        }
        i += 16;
    }
#endif
    // Horspool for what is left (or everything without SSE2).
    const auto lastByte = static_cast<uint8_t>(FPattern[m - 1]);
    while (i <= limit) {
        const uint8_t c = FoldAt(text, i + m - 1);
        if (c == lastByte && FoldedEqual(text, i, FPattern))
            return i;
        i += FShift[c];
    }
    return std::string_view::npos;
}

namespace {

bool WholeWordWith(const TFoldedSearcher& phrase, std::string_view text) {
    const size_t m = phrase.Pattern().size();
    for (size_t at = phrase.Find(text); at != std::string_view::npos; at = phrase.Find(text, at + 1))
        if (StandsAsWholeWord(text, at, m))
            return true;
    return false;
}

} // namespace

bool StandsAsWholeWord(std::string_view text, size_t at, size_t length) {
    const bool before = at == 0 || !IsWordByte(static_cast<unsigned char>(text[at - 1]));
    const bool after =
        at + length >= text.size() || !IsWordByte(static_cast<unsigned char>(text[at + length]));
    return before && after;
}

bool WholeWord(std::string_view text, std::string_view phrase) {
    if (phrase.empty())
        return false;
    return WholeWordWith(TFoldedSearcher(phrase), text);
}

TQueryMatcher::TQueryMatcher(const TQueryTerms& terms)
    : FRequiredPhrases(Searchers(terms.RequiredPhrases)), FExcludedWords(Searchers(terms.ExcludedWords)),
      FExcludedPhrases(Searchers(terms.ExcludedPhrases)), FOptionalWords(Searchers(terms.OptionalWords)),
      FOptionalPhrases(Searchers(terms.OptionalPhrases)) {
    for (const std::string& w : terms.RequiredWords)
        FRequiredWords.push_back({TFoldedSearcher(w), TFoldedSearcher(" " + w)});
}

bool TQueryMatcher::AnyWholeWord(const std::vector<TFoldedSearcher>& phrases, std::string_view text) {
    return std::any_of(phrases.begin(), phrases.end(),
                       [&](const TFoldedSearcher& p) { return WholeWordWith(p, text); });
}

bool TQueryMatcher::AnyOccurs(const std::vector<TFoldedSearcher>& words, std::string_view text) {
    return std::any_of(words.begin(), words.end(),
                       [&](const TFoldedSearcher& w) { return w.Find(text) != std::string_view::npos; });
}

bool TQueryMatcher::Matches(std::string_view text, bool strict) const {
    for (const TRequiredWord& w : FRequiredWords) {
        const size_t first = w.Word.Find(text);
        if (first == std::string_view::npos)
            return false;
        // Strict: the word must start a word, judged by its first occurrence sitting at offset 2 or by an
        // occurrence right after a space.
        if (strict && first != 2 && w.AfterSpace.Find(text) == std::string_view::npos)
            return false;
    }
    for (const TFoldedSearcher& p : FRequiredPhrases) {
        if (!WholeWordWith(p, text))
            return false;
    }
    if ((!FOptionalWords.empty() || !FOptionalPhrases.empty()) && !AnyOccurs(FOptionalWords, text) &&
        !AnyWholeWord(FOptionalPhrases, text))
        return false;
    if (AnyOccurs(FExcludedWords, text) || AnyWholeWord(FExcludedPhrases, text))
        return false;
    return true;
}

} // namespace orvalis
