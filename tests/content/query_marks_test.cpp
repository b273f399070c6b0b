#include "content/query_marks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvalis {
namespace {

// The marked passages, as the text has them.
std::vector<std::string> Marked(std::string_view text, std::string_view query, bool strict) {
    std::vector<std::string> out;
    for (const TTextRange& range : FindQueryMarks(text, query, strict))
        out.emplace_back(text.substr(range.Start, range.End - range.Start));
    return out;
}

using Words = std::vector<std::string>;

TEST(QueryMarks, TypedQuery_MarksTheWholeTypedPhraseWhereItBeginsAWord) {
    struct Case {
        const char* Text;
        const char* Query;
        Words Expected;
    } cases[] = {
        // The typed text is one required word, blank included; A-Z fold both ways.
        {"Vitamine D is nodig. Veel VITAMINE D\nin vis; vitamine d3 ook.",
         "+vitamine d",
         {"Vitamine D", "VITAMINE D", "vitamine d"}},
        // A typed prefix marks the start of the words it begins, not the middle of other words.
        {"Vitamine, multivitamine en vitaal", "+vit", {"Vit", "vit"}},
        // After a line break the word begins a word too.
        {"over\nijzer en bijzonder", "+ijzer", {"ijzer"}},
        // Accented letters are not folded: only the same byte matches.
        {"co\xEB"
         "ffici\xEB"
         "nt en CO\xCB"
         "FFICI\xCB"
         "NT",
         "+Co\xEB"
         "ffici\xEB"
         "nt",
         {"co\xEB"
          "ffici\xEB"
          "nt"}},
        // A typed term ending in a blank needs the blank after it; the blank is not marked.
        {"ijzer, ijzer en ijzeren", "++ijzer -zink", {"ijzer"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Marked(c.Text, c.Query, true), c.Expected) << c.Query << " in " << c.Text;
}

TEST(QueryMarks, LinkQuery_MarksThePhraseAsWholeWordsOnly) {
    EXPECT_EQ(Marked("Zink, zinkgebrek en ZINK. Te veel zink", "+\"zink\"", false),
              (Words{"Zink", "ZINK", "zink"}));
    // Bytes 0x80 to 0xA5 count as letters, so the phrase does not end before one.
    EXPECT_EQ(Marked("zink\x8A zink", "+\"zink\"", false), Words{"zink"});
    // The phrase may run over a wrapped line: the visible text has a blank there.
    EXPECT_EQ(Marked("meer vitamine c per dag", "+\"vitamine c\"", false), Words{"vitamine c"});
}

TEST(QueryMarks, RerunQueries_MarkRequiredAndOptionalTermsButNotExcludedOnes) {
    EXPECT_EQ(Marked("ijzer en zink of koper", "%ijzer %zink -koper", true), (Words{"ijzer", "zink"}));
    // Without strict, a required word is found inside words as the link search finds it.
    EXPECT_EQ(Marked("wijzer ijzer", "+ijzer", false), (Words{"ijzer", "ijzer"}));
    // Overlapping finds of two terms are one mark.
    EXPECT_EQ(Marked("veel vitamine d", "%vitamine %\"vitamine d\"", true), Words{"vitamine d"});
}

TEST(QueryMarks, QueriesWithoutTerms_MarkNothing) {
    for (const char* query : {"", "+", "vitamine", "-zink", "+   ", "+\"\""})
        EXPECT_TRUE(FindQueryMarks("vitamine en zink", query, true).empty()) << query;
}

} // namespace
} // namespace orvalis
