#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// The query of a typed search: "+" before the typed text (at most 255 characters), so that the whole text
// is one required term, blanks included; a text that starts with an operator leaves an empty first term,
// which the query drops.
std::string TypedSearchQuery(std::string_view editText);

// The search field's text for a re-run of the last search: at most 255 characters, leading blanks removed,
// and "+" put in front unless the rest is empty or already starts with "+", "-" or "%". The re-run's query
// is this text.
std::string RerunSearchText(std::string_view editText);

// The result line to select first for a searched text: the first line whose title equals the text in
// capitals (ASCII letters only), else the first whose title contains it, else line 0. -1 for no lines.
int BestTitleLine(const std::vector<std::string>& lines, std::string_view searched);

} // namespace orvalis
