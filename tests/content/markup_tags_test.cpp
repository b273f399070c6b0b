#include "content/markup_tags.h"

#include <gtest/gtest.h>

namespace orvalis {
namespace {

TEST(TagAttribute, QuotesSpacesAndEnds) {
    struct Case {
        const char* Token;
        const char* Expected;
    };
    const Case cases[] = {
        {"<A HREF=Zink>", "Zink"},
        {"<A HREF=vitamine c>", "vitamine"},
        {"<A HREF=\"vitamine c\">", "vitamine c"},
        {"<A HREF='vitamine c'>", "vitamine c"},
        {"<A HREF= \"'x y'\">", "x y'"}, // a double quote before '>' wins over a single one
        {"<A>", ""},
        {"<A href=x>", ""},   // attribute names are case-sensitive
        {"<A HREF=ab", "ab"}, // no '>' in a cut token: up to the end
        {"<IMG NAME=a.bmp ALIGN=RIGHT>", "a.bmp"},
    };
    for (const Case& c : cases) {
        const std::string attr = std::string(c.Token).starts_with("<IMG") ? "NAME=" : "HREF=";
        EXPECT_EQ(TagAttribute(c.Token, attr), c.Expected) << c.Token;
    }
    EXPECT_EQ(TagAttribute("<IMG NAME=a.bmp ALIGN=RIGHT>", "ALIGN="), "RIGHT");
}

TEST(RecognizeTag, CaseSensitivePrefixes) {
    EXPECT_EQ(RecognizeTag("<B>"), TTagKind::BoldOn);
    EXPECT_EQ(RecognizeTag("<b>"), TTagKind::None);
    EXPECT_EQ(RecognizeTag("<BR>"), TTagKind::None);
    EXPECT_EQ(RecognizeTag("<ABBR>"), TTagKind::LinkOpen); // any "<A" token opens a link
    EXPECT_EQ(RecognizeTag("</A>"), TTagKind::LinkClose);
    EXPECT_EQ(RecognizeTag("</FONT SIZE=-2>"), TTagKind::FontClose);
    EXPECT_EQ(RecognizeTag("<FONTX>"), TTagKind::Font);
}

TEST(ListLinkTargets, LinksDoNotNestAndLiteralLessThan) {
    EXPECT_EQ(ListLinkTargets("Zie <A HREF=Zink>zink</A> en <A HREF=\"vitamine c\">C</A>."),
              (std::vector<std::string>{"Zink", "vitamine c"}));
    EXPECT_EQ(ListLinkTargets("<A HREF=a><A HREF=b></A><A HREF=c>"), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(ListLinkTargets("3 < 4 <<A HREF=x>"), (std::vector<std::string>{"x"}));
    EXPECT_TRUE(ListLinkTargets("<A HREF=x").empty()); // no '>': literal text
    const std::string longTag = "<A HREF=" + std::string(300, 'q') + ">";
    ASSERT_EQ(ListLinkTargets(longTag).size(), 1u);
    EXPECT_EQ(ListLinkTargets(longTag)[0].size(), 255u - 8u);
}

} // namespace
} // namespace orvalis
