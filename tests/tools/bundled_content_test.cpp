// The installation data the build compiled into the program folder: the book's sections are all there and
// every text is markup the reader shows as its author meant it.
#include "content/idb_format.h"
#include "content/idb_rec_file.h"
#include "content/markup_tags.h"

#include "db_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace orvalis {
namespace {

std::filesystem::path ProgramDir() {
    const char* dir = std::getenv("ORVALIS_PROGRAM_DIR");
    return dir ? std::filesystem::path(dir) : std::filesystem::path();
}

std::vector<TRawRecord> BundledRecords() {
    const TDecodeResult result =
        DecodeDatabase(test::ReadBytes((ProgramDir() / "D" / "iDbRecs.dat").string()));
    EXPECT_TRUE(result.Complete) << result.Error;
    return result.Records;
}

TPathLevels Levels(const TRawRecord& record) {
    return TiDbRecFile::SplitPath(record.Path.c_str());
}

// What is wrong with the markup of one text, empty when nothing is: styles and size changes that are not
// undone, hidden passages left open, nested or unclosed links, pictures that do not exist or have no
// alignment the renderer draws.
std::vector<std::string> MarkupProblems(std::string_view text) {
    std::vector<std::string> problems;
    std::map<char, int> style;
    int size = 0;
    bool link = false, hidden = false;
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        size_t end = 0;
        const std::string_view token = TagToken(text, at, end);
        if (token.empty())
            continue;
        switch (RecognizeTag(token)) {
        case TTagKind::BoldOn:
            ++style['B'];
            break;
        case TTagKind::BoldOff:
            --style['B'];
            break;
        case TTagKind::ItalicOn:
            ++style['I'];
            break;
        case TTagKind::ItalicOff:
            --style['I'];
            break;
        case TTagKind::UnderlineOn:
            ++style['U'];
            break;
        case TTagKind::UnderlineOff:
            --style['U'];
            break;
        case TTagKind::StrikeOn:
            ++style['S'];
            break;
        case TTagKind::StrikeOff:
            --style['S'];
            break;
        case TTagKind::Font:
        case TTagKind::FontClose: {
            const std::string value = TagAttribute(token, "SIZE=");
            if (value.size() < 2 || (value[0] != '+' && value[0] != '-'))
                problems.push_back("size change without a signed number: " + std::string(token));
            else
                size += std::atoi(value.c_str());
            break;
        }
        case TTagKind::Image: {
            std::string name = TagAttribute(token, "NAME=");
            const std::string align = TagAttribute(token, "ALIGN=");
            if (align != "LEFT" && align != "CENTER" && align != "RIGHT")
                problems.push_back("picture without LEFT, CENTER or RIGHT: " + std::string(token));
            std::replace(name.begin(), name.end(), '\\', '/');
            if (name.empty() || !std::filesystem::is_regular_file(ProgramDir() / name))
                problems.push_back("picture that the build does not draw: " + std::string(token));
            break;
        }
        case TTagKind::Hide:
            if (hidden)
                problems.push_back("hidden passage inside a hidden passage");
            hidden = true;
            break;
        case TTagKind::Show:
            if (!hidden)
                problems.push_back("<SHOW> without <HIDE>");
            hidden = false;
            break;
        case TTagKind::LinkOpen:
            if (link)
                problems.push_back("link inside a link: " + std::string(token));
            else if (TagAttribute(token, "HREF=").empty())
                problems.push_back("link without a target: " + std::string(token));
            link = true;
            break;
        case TTagKind::LinkClose:
            if (!link)
                problems.push_back("</A> without a link");
            link = false;
            break;
        case TTagKind::None:
            problems.push_back("text that looks like a tag: " + std::string(token));
            break;
        }
    }
    for (const auto& [kind, count] : style)
        if (count != 0)
            problems.push_back(std::string("<") + kind + "> not closed as often as opened");
    if (size != 0)
        problems.push_back("size changes add up to " + std::to_string(size));
    if (link)
        problems.push_back("link still open at the end");
    if (hidden)
        problems.push_back("hidden passage still open at the end");
    return problems;
}

TEST(MarkupProblems, FindsWhatTheBundledTextsMustAvoid) {
    EXPECT_TRUE(MarkupProblems("<B>a</B> <FONT SIZE=+2>b</FONT SIZE=-2> <A HREF=\"c d\">e</A> <HIDE>f<SHOW>")
                    .empty());
    EXPECT_EQ(MarkupProblems("<B>a <I>b</I>").size(), 1u);
    EXPECT_EQ(MarkupProblems("<FONT SIZE=+2>a</FONT SIZE=-1>").size(), 1u);
    EXPECT_EQ(MarkupProblems("<A HREF=a>x <A HREF=b>y</A>").size(), 1u);
    EXPECT_EQ(MarkupProblems("<HIDE>rest").size(), 1u);
    EXPECT_EQ(MarkupProblems("<b>lower case</b>").size(), 2u);
    EXPECT_EQ(MarkupProblems("<IMG NAME=I\\T\\nergens.png ALIGN=LEFT>").size(), 1u);
    EXPECT_EQ(MarkupProblems("<IMG NAME=I\\T\\nergens.png ALIGN=left>").size(), 2u);
}

TEST(BundledContent, HoldsEverySectionOfTheBook) {
    std::map<std::string, int> topics;
    int extras = 0, recipes = 0;
    bool digitTitle = false, accentedTitle = false, hidden = false;
    for (const TRawRecord& record : BundledRecords()) {
        const TPathLevels l = Levels(record);
        ASSERT_FALSE(l.L2.empty()) << record.Path;
        if (l.L3.empty() && l.L4.empty()) {
            ++topics[l.L1];
            const auto first = static_cast<unsigned char>(l.L2[0]);
            digitTitle = digitTitle || (first >= '0' && first <= '9');
            accentedTitle = accentedTitle || (first >= 0xC0 && first <= 0xDE); // an accented capital in 1252
        } else if (l.L1 == "1" && l.L3 == l.L2 && l.L4.empty()) {
            ++extras;
        } else if (l.L1 == "1" && l.L4 == l.L2) {
            ++recipes;
        } else {
            ADD_FAILURE() << "a record path the reader does not know: " << record.Path;
        }
        hidden = hidden || record.Text.find("<HIDE>") != std::string::npos;
    }
    EXPECT_GE(topics["1"], 54);
    EXPECT_GE(extras, 40);
    EXPECT_GE(recipes, 26);
    EXPECT_GE(topics["2"], 23);
    EXPECT_GE(topics["3"], 35);
    EXPECT_GE(topics["4"], 95);
    EXPECT_EQ(topics.size(), 4u);
    EXPECT_TRUE(digitTitle);
    EXPECT_TRUE(accentedTitle);
    EXPECT_TRUE(hidden);
}

// A complaint tells the reader what to try and when to get help; the second heading names the huisarts or
// whoever else the complaint calls for ("Wanneer naar de tandarts of huisarts?").
TEST(BundledContent, EveryComplaintSaysWhatToDoAndWhenToSeeADoctor) {
    int complaints = 0;
    for (const TRawRecord& record : BundledRecords()) {
        const TPathLevels l = Levels(record);
        if (l.L1 != "1" || !l.L3.empty() || !l.L4.empty())
            continue;
        ++complaints;
        EXPECT_NE(record.Text.find("<FONT SIZE=+2>Wat kunt u zelf doen?</FONT SIZE=-2>"), std::string::npos)
            << record.Path;
        EXPECT_NE(record.Text.find("<FONT SIZE=+2>Wanneer naar de "), std::string::npos) << record.Path;
    }
    EXPECT_GT(complaints, 0);
}

TEST(BundledContent, EveryTextIsBalancedMarkupWithExistingPictures) {
    int pictures = 0;
    for (const TRawRecord& record : BundledRecords()) {
        for (const std::string& problem : MarkupProblems(record.Text))
            ADD_FAILURE() << record.Path << ": " << problem;
        pictures += record.Text.find("<IMG") != std::string::npos;
    }
    EXPECT_GE(pictures, 20);
    for (const char* hint : {"1.Hnt", "2.Hnt", "3.Hnt", "4.Hnt"}) {
        const std::string text = test::ReadBytes((ProgramDir() / "D" / hint).string());
        EXPECT_FALSE(text.empty()) << hint;
        for (const std::string& problem : MarkupProblems(text))
            ADD_FAILURE() << hint << ": " << problem;
    }
}

} // namespace
} // namespace orvalis
