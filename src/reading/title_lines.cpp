#include "reading/title_lines.h"
#include "content/short_string.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <utility>

namespace orvalis {

namespace {

// Unsigned bytes, as memcmp compares them; a title that is the start of another comes first.
bool TitleLess(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    // An empty title may have no characters at all to point to.
    const int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    return order < 0 || (order == 0 && a.size() < b.size());
}

// A line's title, found once, its first eight bytes as one big-endian number, and where the line stood.
// Titles hold no zero byte (they come from zero-terminated paths), so padding a short title with zeros
// orders the numbers exactly as the titles: only equal numbers need the titles compared.
struct TSortKey {
    uint64_t Prefix;
    std::string_view Title;
    size_t Line;
};

uint64_t PrefixOf(std::string_view title) {
    uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i)
        prefix = prefix << 8 | (i < title.size() ? static_cast<unsigned char>(title[i]) : 0u);
    return prefix;
}

bool KeyLess(const TSortKey& a, const TSortKey& b) {
    if (a.Prefix != b.Prefix)
        return a.Prefix < b.Prefix;
    return TitleLess(a.Title, b.Title);
}

void SortKeys(std::vector<TSortKey>& keys, int lo, int hi) {
    // The recursion goes into the smaller part only and loops over the larger, so that sorted input cannot
    // exhaust the stack.
    while (lo < hi) {
        // A copy of the pivot's key: its title stays in its line while the keys move.
        const TSortKey pivot = keys[static_cast<size_t>((lo + hi) / 2)];
        int i = lo;
        int j = hi;
        do {
            while (KeyLess(keys[static_cast<size_t>(i)], pivot))
                ++i;
            while (KeyLess(pivot, keys[static_cast<size_t>(j)]))
                --j;
            if (i <= j) {
                std::swap(keys[static_cast<size_t>(i)], keys[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - lo < hi - i) {
            if (lo < j)
                SortKeys(keys, lo, j);
            lo = i;
        } else {
            if (i < hi)
                SortKeys(keys, i, hi);
            hi = j;
        }
    }
}

} // namespace

std::string_view TitleOfLine(std::string_view line) {
    const size_t bar = line.find('|');
    if (bar == std::string_view::npos)
        return {};
    return ShortString(line.substr(bar + 1));
}

std::string_view KeyOfLine(std::string_view line) {
    return line.substr(0, line.find('|'));
}

int32_t OrdinalOfLine(std::string_view line) {
    if (line.find('|') == std::string_view::npos)
        return 0;
    const std::string_view key = KeyOfLine(line);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), value);
    if (error != std::errc() || end != key.data() + key.size())
        return 0;
    return value;
}

void SortTitleLines(std::vector<std::string>& lines, int lo, int hi) {
    if (lines.empty())
        return;
    lo = std::max(lo, 0);
    hi = std::min(hi, static_cast<int>(lines.size()) - 1);
    if (lo >= hi)
        return;
    // The quicksort runs on the titles, each found once, and the lines move to their places at the end.
    std::vector<TSortKey> keys;
    keys.reserve(static_cast<size_t>(hi - lo + 1));
    for (int i = lo; i <= hi; ++i)
    {
        const std::string_view title = TitleOfLine(lines[static_cast<size_t>(i)]);
        keys.push_back({PrefixOf(title), title, static_cast<size_t>(i)});
    }
    SortKeys(keys, 0, hi - lo);
    std::vector<std::string> sorted;
    sorted.reserve(keys.size());
    for (const TSortKey& key : keys)
        sorted.push_back(std::move(lines[key.Line]));
    std::move(sorted.begin(), sorted.end(), lines.begin() + lo);
}

namespace {
void SortAll(std::vector<std::string>& lines) {
    if (!lines.empty())
        SortTitleLines(lines, 0, static_cast<int>(lines.size()) - 1);
}
} // namespace

std::vector<std::string> SortedTitleLines(TiDbRecFile& file, TTitleSelector selector, uint32_t* initials) {
    std::vector<std::string> lines;
    file.ListTitles(selector, lines, initials);
    SortAll(lines);
    return lines;
}

void SortedBookAndQuorindexLines(TiDbRecFile& file, std::vector<std::string>& book,
                                 std::vector<std::string>& quorindex) {
    file.ListBookAndQuorindexTitles(book, quorindex);
    SortAll(book);
    SortAll(quorindex);
}

} // namespace orvalis
