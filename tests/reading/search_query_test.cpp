#include "reading/search_query.h"
#include "reading/title_lines.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(SearchQuery, TypedAndRerunQueries) {
    EXPECT_EQ(TypedSearchQuery("vitamine c"), "+vitamine c");
    EXPECT_EQ(TypedSearchQuery("-zink"), "+-zink") << "the empty first term is dropped by the query";
    EXPECT_EQ(TypedSearchQuery(""), "+");
    const std::string longText(300, 'x');
    EXPECT_EQ(TypedSearchQuery(longText), "+" + std::string(255, 'x'));

    struct TCase {
        std::string Edit, Rerun;
    };
    for (const TCase& c :
         {TCase{" ijzer", "+ijzer"}, TCase{"%zink%ijzer", "%zink%ijzer"}, TCase{"   ", ""}, TCase{"", ""},
          TCase{"-zink", "-zink"}, TCase{"+a +b", "+a +b"}, TCase{"  zink ijzer", "+zink ijzer"}})
        EXPECT_EQ(RerunSearchText(c.Edit), c.Rerun) << '"' << c.Edit << '"';
    EXPECT_EQ(RerunSearchText(std::string(250, ' ') + "abcdefghij"), "+abcde") << "cut before the blanks go";
}

TEST(SearchQuery, BestTitleLine_EqualThenContainingThenFirst) {
    const std::vector<std::string> lines{"4|Vitamine A", "9|Zink", "2|Zinkgebrek", "7|Zinksulfaat"};
    EXPECT_EQ(BestTitleLine(lines, "zink"), 1) << "equal in capitals wins over an earlier containing title";
    EXPECT_EQ(BestTitleLine(lines, "ZINKG"), 2);
    EXPECT_EQ(BestTitleLine(lines, "vit"), 0);
    EXPECT_EQ(BestTitleLine(lines, "sulf"), 3);
    EXPECT_EQ(BestTitleLine(lines, "koper"), 0) << "nothing fits: the first line";
    EXPECT_EQ(BestTitleLine({}, "zink"), -1);
    // Capitals are ASCII only: an accented letter keeps its case.
    EXPECT_EQ(BestTitleLine({"1|A", "2|\xE9\xE9n"}, "\xC9\xC9N"), 0);
}

TEST(TitleLines, OrdinalOfLine_OnlyWholeNumbers) {
    EXPECT_EQ(OrdinalOfLine("12|Acne"), 12);
    EXPECT_EQ(OrdinalOfLine("12"), 0) << "no bar";
    EXPECT_EQ(OrdinalOfLine("x1|Acne"), 0);
    EXPECT_EQ(OrdinalOfLine("1x|Acne"), 0);
    EXPECT_EQ(OrdinalOfLine("|Acne"), 0);
    EXPECT_EQ(OrdinalOfLine("99999999999|Acne"), 0) << "beyond 32 bits";
    EXPECT_EQ(OrdinalOfLine("3|a|b"), 3);
}

} // namespace
} // namespace orvalis
