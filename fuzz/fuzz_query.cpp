// Parses an arbitrary query and matches it against an arbitrary text: the input is split at its first zero
// byte into query and text. The matcher must agree with the whole-word and substring primitives it is built
// from, and parsing must keep every term within its length limit.
#include "content/idb_query.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t zero = input.find('\0');
    std::string query = input.substr(0, zero);
    const std::string text = zero == std::string::npos ? std::string() : input.substr(zero + 1);

    orvalis::TiDbQuery q{query.data(), static_cast<int32_t>(query.size())};
    orvalis::FoldQuery(q);
    const orvalis::TQueryTerms terms = orvalis::ParseQuery(query);
    for (const auto* list : {&terms.RequiredWords, &terms.RequiredPhrases, &terms.ExcludedWords,
                             &terms.ExcludedPhrases, &terms.OptionalWords, &terms.OptionalPhrases}) {
        for (const std::string& term : *list) {
            if (term.empty() || term.size() > 255)
                __builtin_trap();
        }
    }
    const orvalis::TQueryMatcher matcher(terms);
    const bool loose = matcher.Matches(text, false);
    const bool strict = matcher.Matches(text, true);
    // A strict match is also a loose one.
    if (strict && !loose)
        __builtin_trap();
    for (const std::string& phrase : terms.RequiredPhrases) {
        if (loose && !orvalis::WholeWord(text, phrase))
            __builtin_trap();
    }
    for (const std::string& word : terms.ExcludedWords) {
        if (loose && orvalis::TFoldedSearcher(word).Find(text) != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
