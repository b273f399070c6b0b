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

namespace orvalis {
namespace {

// The token a '<' starts, searched afresh from it: what the reader must answer.
std::string_view NaiveToken(std::string_view text, size_t at, size_t& end) {
    const size_t close = text.find('>', at);
    end = close == std::string_view::npos ? at : close + 1;
    return close == std::string_view::npos ? std::string_view()
                                           : text.substr(at, std::min<size_t>(close + 1 - at, 255));
}

// Regression: every '<' without a '>' searched to the end of the text, so 1 MB of '<' took 20 s to lay out.
TEST(TagReader, TextFullOfOpenBrackets_LooksAtEachByteOnce) {
    for (const std::string& text : {std::string(100000, '<'), std::string(100000, '<') + ">",
                                    std::string(50000, '<') + "<B>x" + std::string(50000, '<')}) {
        TTagReader reader(text);
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '<')
                continue;
            size_t end = 0, naiveEnd = 0;
            ASSERT_EQ(reader.Token(i, end), NaiveToken(text, i, naiveEnd)) << i;
            ASSERT_EQ(end, naiveEnd) << i;
        }
        EXPECT_LE(reader.Scanned(), text.size() + 1);
    }
}

TEST(TagReader, SameTokensAsTagToken_OnMarkup) {
    const std::string text = "Zie <A HREF=zink>zink</A> en a < b > c <B><<I>x</I> <FONT SIZE=+2>y";
    TTagReader reader(text);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '<')
            continue;
        size_t end = 0, expectedEnd = 0;
        EXPECT_EQ(reader.Token(i, end), TagToken(text, i, expectedEnd)) << i;
        EXPECT_EQ(end, expectedEnd) << i;
    }
}

} // namespace
} // namespace orvalis

namespace orvalis {
namespace {

TEST(VisibleTopicText, SliceWithoutTagsBracesAndHiddenPassages) {
    const std::string text =
        "Zie <A HREF=Zink>{zink}</A>.<HIDE>geheim\r\n<IMG NAME=x.bmp><SHOW> en <B>rust</B>\r\nnu";
    const size_t hidden = text.find("geheim");
    const struct {
        size_t From, To;
        std::string Expected;
    } cases[] = {
        {0, text.size(), "Zie zink. en rust\r\nnu"}, // the whole text: no hidden passage, no picture
        {0, std::string::npos, "Zie zink. en rust\r\nnu"},
        {text.find("ink}"), text.find("rust") + 2,
         "ink. en ru"},                           // from inside the link to inside the bold run
        {hidden + 2, text.find(" en"), ""},       // inside the hidden passage
        {hidden + 2, text.find("en") + 2, " en"}, // the passage ends inside the slice
        {text.find("rust"), text.size() - 1, "rust\r\nn"},
        {text.size(), text.size() + 5, ""},
        {20, 10, ""}, // reversed bounds
    };
    for (const auto& c : cases)
        EXPECT_EQ(VisibleTopicText(text, c.From, c.To), c.Expected) << c.From << "-" << c.To;
    EXPECT_EQ(PlainTopicText(text), "Zie zink.geheim\r\n en rust\r\nnu") << "the whole-topic copy keeps them";
}

} // namespace
} // namespace orvalis
