#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace orvalis {

// The order of titles in every list: unsigned bytes as memcmp compares them, a title that is the start of
// another first, no case folding and no locale ("Zink" before "ijzer", accented letters after all plain ones).
// Negative, zero or positive as a comes before, with or after b.
inline int CompareTitles(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    // An empty title may have no characters at all to point to.
    const int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    if (order != 0)
        return order;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The first eight bytes of a title as one big-endian number, zeros after a short title. Titles hold no zero
// byte (they come from zero-terminated paths), so these numbers order exactly as CompareTitles does, and only
// equal numbers need the titles compared.
inline uint64_t TitlePrefix(std::string_view title) {
    uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i)
        prefix = prefix << 8 | (i < title.size() ? static_cast<unsigned char>(title[i]) : 0u);
    return prefix;
}

// A title with its prefix and the position that breaks ties, so that equal titles keep their order.
struct TTitleKey {
    uint64_t Prefix;
    std::string_view Title;
    size_t Position;
};

inline bool TitleKeyLess(const TTitleKey& a, const TTitleKey& b) {
    if (a.Prefix != b.Prefix)
        return a.Prefix < b.Prefix;
    const int order = CompareTitles(a.Title, b.Title);
    return order != 0 ? order < 0 : a.Position < b.Position;
}

} // namespace orvalis
