#pragma once

#include "content/text_range.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvalis {

// Where a query's search terms stand in a text, by the rules the query matches records with: A-Z folded,
// each typed term whole (blanks included), phrases as whole words, and with `strict` a required word only
// where it begins a word (at the start of the text or after a blank or line break; the text is what a
// reader sees, so a tag before a word counts as nothing). Every occurrence of a required or optional term
// is found; excluded terms mark nothing. The ranges leave out the blanks at a term's ends, follow each
// other in text order and do not overlap (touching or overlapping finds become one).
std::vector<TTextRange> FindQueryMarks(std::string_view text, std::string_view query, bool strict);

} // namespace orvalis
