#include "reading/title_lines.h"
#include "content/short_string.h"
#include "content/title_order.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace orvalis {

namespace {

void SortKeys(std::vector<TTitleKey>& keys, int lo, int hi) {
    // The recursion goes into the smaller part only and loops over the larger, so that sorted input cannot
    // exhaust the stack.
    while (lo < hi) {
        // A copy of the pivot's key: its title stays in its line while the keys move.
        const TTitleKey pivot = keys[static_cast<size_t>((lo + hi) / 2)];
        int i = lo;
        int j = hi;
        do {
            while (TitleKeyLess(keys[static_cast<size_t>(i)], pivot))
                ++i;
            while (TitleKeyLess(pivot, keys[static_cast<size_t>(j)]))
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
    std::vector<TTitleKey> keys;
    keys.reserve(static_cast<size_t>(hi - lo + 1));
    for (int i = lo; i <= hi; ++i)
    {
        const std::string_view title = TitleOfLine(lines[static_cast<size_t>(i)]);
        keys.push_back({TitlePrefix(title), title, static_cast<size_t>(i)});
    }
    SortKeys(keys, 0, hi - lo);
    std::vector<std::string> sorted;
    sorted.reserve(keys.size());
    for (const TTitleKey& key : keys)
        sorted.push_back(std::move(lines[key.Position]));
    std::move(sorted.begin(), sorted.end(), lines.begin() + lo);
}

std::vector<std::string> SortedTitleLines(TiDbRecFile& file, TTitleSelector selector, uint32_t* initials) {
    std::vector<std::string> lines;
    file.ListTitles(selector, lines, initials, TListOrder::Title);
    return lines;
}

void SortedBookAndQuorindexLines(TiDbRecFile& file, std::vector<std::string>& book,
                                 std::vector<std::string>& quorindex) {
    file.ListBookAndQuorindexTitles(book, quorindex, TListOrder::Title);
}

} // namespace orvalis
