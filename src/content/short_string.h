#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvalis {

// The system's 8-bit strings hold at most this many characters: titles, paths, list lines, words, tags,
// link targets and search terms are cut there.
inline constexpr size_t MaxShortStringLength = 255;

// The text as such a string keeps it: its first 255 characters.
constexpr std::string_view ShortString(std::string_view text) {
    return text.substr(0, MaxShortStringLength);
}

// Cuts the string in place to its first 255 characters.
inline void CutToShortString(std::string& text) {
    text.resize(ShortString(text).size());
}

} // namespace orvalis
