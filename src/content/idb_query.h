#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// A search query in the caller's buffer. Parsing folds it to lower case in place (ASCII letters only).
struct TiDbQuery {
    char* Text = nullptr;
    int32_t TextLen = 0;
};

// The six term lists of a parsed query. "+" terms are required, "-" terms excluded, "%" terms optional (at
// least one of them must hold); a quoted term is a phrase that must stand as whole words.
struct TQueryTerms {
    std::vector<std::string> RequiredWords, RequiredPhrases;
    std::vector<std::string> ExcludedWords, ExcludedPhrases;
    std::vector<std::string> OptionalWords, OptionalPhrases;
    bool Empty() const;
};

// Folds A-Z to a-z in place; no other byte changes.
void FoldQuery(TiDbQuery& query);
// Splits an already folded query into its terms. Bytes before the first operator are skipped, so a query
// without "+", "-" or "%" has no terms at all.
TQueryTerms ParseQuery(std::string_view folded);

// A word byte for the phrase test: a digit, an ASCII letter, or a byte from 0x80 to 0xA5.
bool IsWordByte(unsigned char c);

// Finds a lower-case pattern in a text as the text's ASCII-lower-cased copy would show it, without making
// the copy. Horspool's skip table keeps long texts cheap.
class TFoldedSearcher {
public:
    explicit TFoldedSearcher(std::string_view pattern);
    // Offset of the first occurrence at or after `from`, or npos. An empty pattern is found at `from`.
    size_t Find(std::string_view text, size_t from = 0) const;
    std::string_view Pattern() const { return FPattern; }

private:
    std::string FPattern;
    std::array<uint8_t, 256> FShift{};
};

// Whether the bytes [at, at + length) of the text have a word boundary before and after them.
bool StandsAsWholeWord(std::string_view text, size_t at, size_t length);

// The whole-word phrase test: the phrase occurs with a word boundary before and after it. The text is
// compared as its lower-cased copy; the phrase must be lower case already.
bool WholeWord(std::string_view text, std::string_view phrase);

// The term test of a parsed query, built once per search and applied to every candidate text.
class TQueryMatcher {
public:
    explicit TQueryMatcher(const TQueryTerms& terms);
    // `strict` asks that a required word begin a word: its first occurrence lies at offset 2, or the word
    // follows a space somewhere. Texts are matched case-insensitively for A-Z.
    bool Matches(std::string_view text, bool strict) const;

private:
    struct TRequiredWord {
        TFoldedSearcher Word;
        TFoldedSearcher AfterSpace;
    };
    static bool AnyWholeWord(const std::vector<TFoldedSearcher>& phrases, std::string_view text);
    static bool AnyOccurs(const std::vector<TFoldedSearcher>& words, std::string_view text);

    std::vector<TRequiredWord> FRequiredWords;
    std::vector<TFoldedSearcher> FRequiredPhrases, FExcludedWords, FExcludedPhrases;
    std::vector<TFoldedSearcher> FOptionalWords, FOptionalPhrases;
};

} // namespace orvalis
