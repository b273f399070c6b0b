#include "reading/title_lines.h"
#include "content/short_string.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace orvalis {

namespace {

bool TitleLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
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
    // The recursion goes into the smaller part only and loops over the larger, so that sorted input cannot
    // exhaust the stack.
    while (lo < hi) {
        const std::string pivot(TitleOfLine(lines[static_cast<size_t>((lo + hi) / 2)]));
        int i = lo;
        int j = hi;
        do {
            while (TitleLess(TitleOfLine(lines[static_cast<size_t>(i)]), pivot))
                ++i;
            while (TitleLess(pivot, TitleOfLine(lines[static_cast<size_t>(j)])))
                --j;
            if (i <= j) {
                std::swap(lines[static_cast<size_t>(i)], lines[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - lo < hi - i) {
            if (lo < j)
                SortTitleLines(lines, lo, j);
            lo = i;
        } else {
            if (i < hi)
                SortTitleLines(lines, i, hi);
            hi = j;
        }
    }
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
