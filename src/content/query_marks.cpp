#include "content/query_marks.h"

#include "content/idb_query.h"

#include <algorithm>
#include <string>

namespace orvalis {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\n';
}

// The part of a term that shows: without its leading and trailing spaces.
TTextRange Trimmed(std::string_view term, size_t at) {
    size_t start = 0;
    size_t end = term.size();
    while (start < end && term[start] == ' ')
        ++start;
    while (end > start && term[end - 1] == ' ')
        --end;
    return {at + start, at + end};
}

enum class TMarkRule { Anywhere, WordStart, WholeWord };

void AddFinds(std::string_view text, const std::string& term, TMarkRule rule, std::vector<TTextRange>& out) {
    if (term.empty())
        return;
    const TFoldedSearcher searcher(term);
    for (size_t at = searcher.Find(text); at != std::string_view::npos; at = searcher.Find(text, at + 1)) {
        if (rule == TMarkRule::WordStart && at > 0 && !IsBlank(text[at - 1]))
            continue;
        if (rule == TMarkRule::WholeWord && !StandsAsWholeWord(text, at, term.size()))
            continue;
        if (const TTextRange range = Trimmed(term, at); range.End > range.Start)
            out.push_back(range);
    }
}

} // namespace

std::vector<TTextRange> FindQueryMarks(std::string_view text, std::string_view query, bool strict) {
    std::string folded(query);
    TiDbQuery request{folded.data(), static_cast<int32_t>(folded.size())};
    FoldQuery(request);
    // Queries shorter than two bytes have no terms (and would match every text).
    if (folded.size() < 2)
        return {};
    const TQueryTerms terms = ParseQuery(folded);

    std::vector<TTextRange> finds;
    for (const std::string& word : terms.RequiredWords)
        AddFinds(text, word, strict ? TMarkRule::WordStart : TMarkRule::Anywhere, finds);
    for (const std::string& word : terms.OptionalWords)
        AddFinds(text, word, TMarkRule::Anywhere, finds);
    for (const auto* phrases : {&terms.RequiredPhrases, &terms.OptionalPhrases})
        for (const std::string& phrase : *phrases)
            AddFinds(text, phrase, TMarkRule::WholeWord, finds);

    std::sort(finds.begin(), finds.end(),
              [](const TTextRange& a, const TTextRange& b) { return a.Start < b.Start; });
    std::vector<TTextRange> marks;
    for (const TTextRange& range : finds) {
        if (!marks.empty() && range.Start <= marks.back().End)
            marks.back().End = std::max(marks.back().End, range.End);
        else
            marks.push_back(range);
    }
    return marks;
}

} // namespace orvalis
