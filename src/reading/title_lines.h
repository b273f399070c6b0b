#pragma once

#include "content/idb_rec_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// A title line is "key|title": the key (an ordinal of the current selection, or a section code in the
// history) before the first "|", the shown title after it, taken as at most 255 characters.
std::string_view TitleOfLine(std::string_view line);
std::string_view KeyOfLine(std::string_view line);
// The key of a line that holds a "|", as a whole decimal number; 0 when there is no "|" or the key is not a
// number in the 32-bit range.
int32_t OrdinalOfLine(std::string_view line);

// Sorts lines lo..hi (0-based, inclusive) in place by title, comparing unsigned bytes without case folding
// or locale, so "Zink" comes before "ijzer" and accented letters after all plain ones (content/title_order.h).
// A quicksort; lines with equal titles keep their order, so sorting a listing in file order gives what the
// store lists in title order.
void SortTitleLines(std::vector<std::string>& lines, int lo, int hi);

// The title lines of the selection's records of one kind ("ordinal|title"), sorted by title as SortTitleLines
// sorts them: what every list of the left column shows.
// With initials, the selection's InitialLetters come from the same pass.
std::vector<std::string> SortedTitleLines(TiDbRecFile& file, TTitleSelector selector,
                                          uint32_t* initials = nullptr);
// The sorted lines of tsBook and of tsQuorindex, from one pass.
void SortedBookAndQuorindexLines(TiDbRecFile& file, std::vector<std::string>& book,
                                 std::vector<std::string>& quorindex);

} // namespace orvalis
