#include "content/idb_query.h"
#include "content/idb_rec_file.h"

#include "db_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace orvalis {
namespace {

TQueryTerms Parse(std::string q) {
    TiDbQuery query{q.data(), static_cast<int32_t>(q.size())};
    FoldQuery(query);
    return ParseQuery(std::string_view(query.Text, query.TextLen));
}

using Words = std::vector<std::string>;

TEST(ParseQuery, Examples) {
    TQueryTerms t = Parse("+ijzer -zink");
    EXPECT_EQ(t.RequiredWords, Words{"ijzer "});
    EXPECT_EQ(t.ExcludedWords, Words{"zink"});

    t = Parse("+\"Vitamine C\"");
    EXPECT_EQ(t.RequiredPhrases, Words{"vitamine c"});
    EXPECT_TRUE(t.RequiredWords.empty());

    t = Parse("+vitamine-c");
    EXPECT_EQ(t.RequiredWords, Words{"vitamine"});
    EXPECT_EQ(t.ExcludedWords, Words{"c"});

    EXPECT_TRUE(Parse("vitamine").Empty());
    EXPECT_TRUE(Parse("+").Empty());
    EXPECT_TRUE(Parse("+\"\"").Empty());

    t = Parse("%\"a+b-c\" %d\"-e");
    EXPECT_EQ(t.OptionalPhrases, Words{"a+b-c"});
    EXPECT_EQ(t.OptionalWords, Words{"d"}); // the quote ends the word and is skipped
    EXPECT_EQ(t.ExcludedWords, Words{"e"});

    t = Parse("+\"open phrase");
    EXPECT_EQ(t.RequiredPhrases, Words{"open phrase"});

    t = Parse("+" + std::string(300, 'w'));
    ASSERT_EQ(t.RequiredWords.size(), 1u);
    EXPECT_EQ(t.RequiredWords[0].size(), 255u);
}

TEST(ParseQuery, FoldsOnlyAsciiCapitals) {
    std::string q = "+IJZER \xC9";
    TiDbQuery query{q.data(), static_cast<int32_t>(q.size())};
    FoldQuery(query);
    EXPECT_EQ(q, "+ijzer \xC9");
}

TEST(WholeWord, Boundaries) {
    EXPECT_TRUE(WholeWord("neem vitamine c, dagelijks", "vitamine c"));
    EXPECT_TRUE(WholeWord("rijk aan vitamine c", "vitamine c"));
    EXPECT_TRUE(WholeWord("VITAMINE C", "vitamine c"));
    EXPECT_FALSE(WholeWord("vitamine cal", "vitamine c"));
    EXPECT_TRUE(WholeWord("vitamine cal en vitamine c.", "vitamine c"));
    EXPECT_FALSE(WholeWord("zinkgebrek", "zink"));
    EXPECT_TRUE(WholeWord("\xA6zink\xFF", "zink")); // bytes from 0xA6 separate words
    EXPECT_FALSE(WholeWord("\xA5zink", "zink"));    // up to 0xA5 they are word bytes
    EXPECT_FALSE(WholeWord("", "zink"));
    EXPECT_FALSE(WholeWord("zink", ""));
}

// The term test exactly as stated, on an explicitly lower-cased copy, for comparison with the matcher.
bool ReferenceMatches(const TQueryTerms& terms, std::string text, bool strict) {
    for (char& c : text)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    auto wholeWord = [&](const std::string& p) {
        if (text.find(p) == std::string::npos)
            return false;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] != p[0])
                continue;
            const bool before = i == 0 || !IsWordByte(static_cast<unsigned char>(text[i - 1]));
            const bool whole = text.compare(i, p.size(), p) == 0;
            const bool after =
                i + p.size() >= text.size() || !IsWordByte(static_cast<unsigned char>(text[i + p.size()]));
            if (before && whole && after)
                return true;
        }
        return false;
    };
    for (const std::string& w : terms.RequiredWords) {
        const size_t first = text.find(w);
        if (first == std::string::npos)
            return false;
        if (strict && first != 2 && text.find(" " + w) == std::string::npos)
            return false;
    }
    for (const std::string& p : terms.RequiredPhrases)
        if (!wholeWord(p))
            return false;
    if (!terms.OptionalWords.empty() || !terms.OptionalPhrases.empty()) {
        bool any = false;
        for (const std::string& w : terms.OptionalWords)
            any = any || text.find(w) != std::string::npos;
        for (const std::string& p : terms.OptionalPhrases)
            any = any || wholeWord(p);
        if (!any)
            return false;
    }
    for (const std::string& w : terms.ExcludedWords)
        if (text.find(w) != std::string::npos)
            return false;
    for (const std::string& p : terms.ExcludedPhrases)
        if (wholeWord(p))
            return false;
    return true;
}

TEST(QueryMatcher, StrictRequiredWord) {
    const TQueryMatcher m(Parse("+ijzer"));
    EXPECT_TRUE(m.Matches("..ijzer", true));         // first occurrence at offset 2
    EXPECT_TRUE(m.Matches("veel ijzer", true));      // after a space
    EXPECT_TRUE(m.Matches("bijzer en ijzer", true)); // a later space-preceded occurrence
    EXPECT_FALSE(m.Matches("bijzer", true));
    EXPECT_FALSE(m.Matches("ijzer", true));  // offset 0, no space before
    EXPECT_FALSE(m.Matches(".ijzer", true)); // offset 1
    EXPECT_TRUE(m.Matches("bijzer", false)); // the link search takes any occurrence
    EXPECT_TRUE(m.Matches("Veel IJZER", true));
}

TEST(QueryMatcher, AccentedCapitalsAreNotFolded) {
    const TQueryMatcher m(Parse("+\xC9\xE9n"));
    EXPECT_FALSE(m.Matches("  \xE9\xE9n", true));
    EXPECT_TRUE(m.Matches("  \xC9\xE9n", true));
}

TEST(QueryMatcher, GroupsCombine) {
    EXPECT_TRUE(TQueryMatcher(Parse("-zink")).Matches("ijzer", true));
    EXPECT_FALSE(TQueryMatcher(Parse("-zink")).Matches("zinkgebrek", true));
    const TQueryMatcher either(Parse("%ijzer %zink"));
    EXPECT_TRUE(either.Matches("wat zink", false));
    EXPECT_TRUE(either.Matches("wat ijzer en", false));
    EXPECT_FALSE(either.Matches("wat ijzer", false)); // the space before "%" belongs to the word
    EXPECT_FALSE(either.Matches("wat koper", false));
    EXPECT_TRUE(TQueryMatcher(Parse("x")).Matches("alles", true)); // no terms: everything
}

// The matcher against the reference on random texts and queries drawn from a small alphabet, so that
// partial matches, boundaries, case and the offset-2 rule all come up often.
TEST(QueryMatcher, RandomQueries_MatchReference) {
    std::mt19937 rng(99);
    const std::string alphabet = "abAB \xE9\xC9.\xA5\xA6+-%\"";
    auto randomText = [&](size_t maxLen, const std::string& from) {
        std::string s(std::uniform_int_distribution<size_t>(0, maxLen)(rng), ' ');
        for (char& c : s)
            c = from[rng() % from.size()];
        return s;
    };
    int matches = 0;
    for (int i = 0; i < 20000; ++i) {
        const TQueryTerms terms = Parse(randomText(10, alphabet));
        const std::string text = randomText(24, "abAB \xE9\xC9.\xA5\xA6");
        const bool strict = (i & 1) != 0;
        const bool expected = ReferenceMatches(terms, text, strict);
        ASSERT_EQ(TQueryMatcher(terms).Matches(text, strict), expected) << i << " text '" << text << "'";
        matches += expected;
    }
    EXPECT_GT(matches, 2000); // the inputs exercise both outcomes
    EXPECT_LT(matches, 18000);
}

TEST(FoldedSearcher, FindsEveryOccurrenceLikeLowerCasedFind) {
    std::mt19937 rng(5);
    // Long enough for the block-wise search and its tail; bytes that differ from letters only in bit 0x20
    // ('@' and '`', accented capitals and small letters) must not be taken for each other.
    const char patternBytes[] = "ab @`\xE9";
    const char textBytes[] = "abAB @`\xC9\xE9";
    for (int i = 0; i < 5000; ++i) {
        std::string pattern(1 + rng() % 6, 'a');
        for (char& c : pattern)
            c = patternBytes[rng() % (sizeof patternBytes - 1)];
        std::string text(rng() % 90, 'a');
        for (char& c : text)
            c = textBytes[rng() % (sizeof textBytes - 1)];
        std::string lowered = text;
        for (char& c : lowered)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const TFoldedSearcher s(pattern);
        for (size_t from = 0; from <= text.size(); ++from)
            ASSERT_EQ(s.Find(text, from), lowered.find(pattern, from));
    }
}

class QuerySelectTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteBytes(Dir.File("db.dat"),
                         test::Encode({
                             {1, "1|Bloedarmoede", "Te weinig ijzer in het bloed."},
                             {2, "1|Bloedarmoede|Bloedarmoede", "Extra: ijzer uit groente."},
                             {3, "2|Mineralen", "Zink, ijzer en koper."},
                             {4, "3|Zink", "Zinkgebrek komt weinig voor."},
                             {5, "4|Zink", "Een spoorelement."},
                             {6, "4|Hemoglobine", "Bevat ijzer."},
                             {7, "3|Leeg", ""},
                         }));
        ASSERT_TRUE(Db.LoadFromFile(Dir.File("db.dat"), nullptr));
    }
    std::vector<std::string> Select(std::string q, bool link) {
        TiDbQuery query{q.data(), static_cast<int32_t>(q.size())};
        link ? Db.SelectByLinkQuery(query, nullptr) : Db.SelectByQuery(query, nullptr);
        std::vector<std::string> titles;
        Db.ListTitles(TTitleSelector::tsAll, titles);
        return titles;
    }
    test::TempDir Dir;
    TiDbRecFile Db;
};

TEST_F(QuerySelectTest, SelectByQuery_TopicsOutsideQuorindex) {
    EXPECT_EQ(Select("+ijzer", false), (Words{"1|Bloedarmoede", "2|Mineralen"}));
    EXPECT_EQ(Db.CursorOrdinal(), 1);
    EXPECT_EQ(Db.CursorIndex(), 1);
    EXPECT_EQ(Select("+zink", false), Words{}); // both occurrences stand at offset 0 without a space before
    EXPECT_EQ(Select("+koper", false), Words{"1|Mineralen"});
    EXPECT_EQ(Select("-zink", false), (Words{"1|Bloedarmoede"}));
    EXPECT_EQ(Select("", false), Words{});
    EXPECT_EQ(Db.SelectedCount(), 0);
    EXPECT_EQ(Db.CursorIndex(), 0);
    EXPECT_EQ(Select("alles", false), (Words{"1|Bloedarmoede", "2|Mineralen", "3|Zink"}));
}

TEST_F(QuerySelectTest, SelectByLinkQuery_FindsQuorindexByTitle) {
    // "Zinkgebrek" is no whole word, but both records titled Zink are found by their titles.
    EXPECT_EQ(Select("+\"zink\"", true), (Words{"1|Mineralen", "2|Zink", "3|Zink"}));
    std::vector<std::string> quorindex;
    Db.ListTitles(TTitleSelector::tsQuorindex, quorindex);
    EXPECT_EQ(quorindex, Words{"3|Zink"});
    EXPECT_EQ(Select("+\"leeg\"", true), Words{"1|Leeg"}); // an empty text, matched by its title
    EXPECT_EQ(Select("+\"nergens\"", true), Words{});
    TiDbRec r;
    Db.GetSelected(1, r);
    EXPECT_EQ(r.Path, nullptr);
}

TEST_F(QuerySelectTest, Gauge_CountsRecordsAndHides) {
    test::RecordingGauge gauge;
    std::string q = "+ijzer";
    TiDbQuery query{q.data(), static_cast<int32_t>(q.size())};
    Db.SelectByQuery(query, &gauge);
    ASSERT_EQ(gauge.Calls.size(), 10u);
    EXPECT_EQ(gauge.Calls[0], "progress 0");
    EXPECT_EQ(gauge.Calls[1], "show");
    EXPECT_EQ(gauge.Calls[2], "progress 14");
    EXPECT_EQ(gauge.Calls[8], "progress 100");
    EXPECT_EQ(gauge.Calls[9], "hide");
}

} // namespace
} // namespace orvalis
