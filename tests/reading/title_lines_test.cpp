#include "reading/title_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace orvalis {
namespace {

std::vector<std::string> Titles(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        out.emplace_back(TitleOfLine(l));
    return out;
}

TEST(SortTitleLines, BytewiseWithoutCaseOrLocale) {
    std::vector<std::string> lines{
        "1|Zink",          "2|ijzer", "3|Acne", "4|Zinkgebrek", "5|\xC9\xE9n ei per dag?",
        "6|5 vuistregels", "7|zout"};
    SortTitleLines(lines, 0, static_cast<int>(lines.size()) - 1);
    EXPECT_EQ(Titles(lines), (std::vector<std::string>{"5 vuistregels", "Acne", "Zink", "Zinkgebrek", "ijzer",
                                                       "zout", "\xC9\xE9n ei per dag?"}));
    EXPECT_EQ(lines[1], "3|Acne"); // the keys travel with their titles
}

TEST(SortTitleLines, PartialRangeAndOddLines) {
    std::vector<std::string> lines{"9|z", "1|c", "2|b", "3|a", "0|y"};
    SortTitleLines(lines, 1, 3);
    EXPECT_EQ(lines, (std::vector<std::string>{"9|z", "3|a", "2|b", "1|c", "0|y"}));
    std::vector<std::string> odd{"zonder streep", "1|b", "2|a|x"}; // no "|": an empty title
    SortTitleLines(odd, 0, 2);
    EXPECT_EQ(odd, (std::vector<std::string>{"zonder streep", "2|a|x", "1|b"}));
    std::vector<std::string> none;
    SortTitleLines(none, 0, -1);
    SortTitleLines(odd, 0, 99); // an out-of-range end is kept within the list
}

TEST(SortTitleLines, ManyLinesSortedAndKeptWhole) {
    std::mt19937 rng(8);
    for (int round = 0; round < 30; ++round) {
        std::vector<std::string> lines;
        for (int i = 0; i < 2000; ++i) {
            std::string title(1 + rng() % 5, 'a');
            for (char& c : title)
                c = "aAzZ\xE9 "[rng() % 6];
            lines.push_back(std::to_string(i) + "|" + title);
        }
        if (round % 3 == 0) // sorted input must not degrade into deep recursion
            std::sort(lines.begin(), lines.end());
        std::vector<std::string> before = lines;
        SortTitleLines(lines, 0, static_cast<int>(lines.size()) - 1);
        const auto titles = Titles(lines);
        EXPECT_TRUE(
            std::is_sorted(titles.begin(), titles.end(), [](const std::string& a, const std::string& b) {
                return std::lexicographical_compare(
                    a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
                    });
            }));
        std::sort(before.begin(), before.end());
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(lines, before);
    }
}

// Lines with equal titles (a topic and its Quorindex entry, say) keep their order, so that the lists, which
// the store hands out sorted, equal SortTitleLines over the lines in file order.
TEST(SortTitleLines, EqualTitles_KeepTheirOrder) {
    std::mt19937 rng(21);
    for (int round = 0; round < 40; ++round) {
        std::vector<std::string> lines;
        for (int i = 0; i < 300; ++i)
            lines.push_back(std::to_string(i) + "|" + std::string(1, "abc\xE9"[rng() % 4]) +
                            (rng() % 2 ? "x" : ""));
        std::vector<std::string> expected = lines;
        // char_traits<char> compares as unsigned char.
        std::stable_sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
            return TitleOfLine(a) < TitleOfLine(b);
        });
        SortTitleLines(lines, 0, static_cast<int>(lines.size()) - 1);
        ASSERT_EQ(lines, expected) << "round " << round;
    }
}

TEST(TitleOfLine, CutAt255) {
    EXPECT_EQ(TitleOfLine("12|" + std::string(300, 't')).size(), 255u);
    EXPECT_EQ(KeyOfLine("12|Acne"), "12");
    EXPECT_EQ(KeyOfLine("Acne"), "Acne");
}

} // namespace
} // namespace orvalis
