#include "content/book_words.h"
#include "content/idb_query.h"
#include "content/idb_rec_file.h"
#include "db_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvalis {
namespace {

using Strings = std::vector<std::string>;

TEST(EditDistance, CountsInsertionsDeletionsAndSubstitutionsUpToTheBound) {
    struct Case {
        const char* A;
        const char* B;
        int Most;
        int Expected;
    };
    const Case cases[] = {
        {"hoofdpijn", "hoofdpijn", 2, 0},
        {"hoofpijn", "hoofdpijn", 2, 1},   // one letter left out
        {"hoofdpijnn", "hoofdpijn", 2, 1}, // one too many
        {"hoefdpyjn", "hoofdpijn", 2, 2},  // two replaced
        {"hoofdpjin", "hoofdpijn", 2, 2},  // two letters swapped are two edits
        {"hofpjn", "hoofdpijn", 2, 3},     // three away: the bound and one
        {"ab", "abcdefgh", 2, 3},          // lengths too far apart
        {"", "ab", 2, 2},
        {"", "abc", 2, 3},
        {"kalk", "melk", 2, 2},
        {"kalk", "melk", 1, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EditDistance(c.A, c.B, c.Most), c.Expected) << c.A << " / " << c.B;
        EXPECT_EQ(EditDistance(c.B, c.A, c.Most), c.Expected) << "symmetric: " << c.B << " / " << c.A;
    }
    const std::string longest(255, 'a');
    EXPECT_EQ(EditDistance(longest, longest.substr(0, 254) + "b", 2), 1);
}

TEST(CorrectionReach, TwoEditsForWordsOfFiveLettersOrMoreFewerBelow) {
    EXPECT_EQ(CorrectionReach("ij"), 0);
    EXPECT_EQ(CorrectionReach("ijzr"), 1);
    EXPECT_EQ(CorrectionReach("hoofpijn"), 2);
}

class BookWordsTest : public testing::Test {
protected:
    void Load(const std::vector<TRawRecord>& records) {
        test::WriteBytes(Dir.File("db.dat"), test::Encode(records));
        ASSERT_TRUE(File.LoadFromFile(Dir.File("db.dat"), nullptr));
        Words.Build(File);
    }
    // Whether the keyword search finds the text, as the window asks.
    bool Finds(const std::string& text) {
        std::string query = "+" + text;
        TiDbQuery request{query.data(), static_cast<int32_t>(query.size())};
        return File.AnyByQuery(request);
    }
    Strings Corrections(const std::string& typed) {
        return Words.Corrections(typed, [this](const std::string& text) { return Finds(text); });
    }

    test::TempDir Dir;
    TiDbRecFile File;
    TBookWords Words;
};

std::vector<TRawRecord> Book() {
    return {
        {1, "1|Hoofdpijn", "Bij hoofdpijn helpt rust. Veel hoofdpijn komt van spanning."},
        {2, "1|Hoofdpijn|Hoofdpijn", "Extra over hoofdpijnen en hoofdwee."}, // not searched
        {3, "1|Koorts", "Een hoge koorts, of hoofdpijnen, of een <B>hoofdpyn</B> <FONT SIZE=2>."},
        {4, "2|Vitamine D", "Vitamine D en veel vitamine d uit zon, en vitamine c."},
        {5, "3|Foliumzuur", "Neem foliumzuur bij vitamine gebrek."},
        {6, "4|Hoofdpijnen", "Een Quorindex-term."}, // not searched
        {7, "1|Loopneus", ""},
    };
}

TEST_F(BookWordsTest, Build_TakesTitlesAndTheSearchedTextsWordsWhereASearchFindsThem) {
    Load(Book());
    EXPECT_EQ(Words.TitleCount(), 4u) << "the topics of the sections 1 to 3 with a text";
    // "hoofdwee" stands only in an extra-information text; "hoofdpyn" only after a tag; "size" only inside
    // one: none of them is offered.
    EXPECT_EQ(Corrections("hoofdwe"), Strings{});
    EXPECT_EQ(Corrections("hoofdpyyn"), (Strings{"Hoofdpijn"}));
    EXPECT_EQ(Corrections("sise"), Strings{});
}

TEST_F(BookWordsTest, Corrections_TitlesFirstThenTextWordsByDistanceThenUse) {
    Load(Book());
    EXPECT_EQ(Corrections("hoofpijn"), (Strings{"Hoofdpijn"}))
        << "the text word of the title's letters is one";
    EXPECT_EQ(Corrections("hoofdpijne"), (Strings{"Hoofdpijn", "hoofdpijnen"})) << "titles first";
    EXPECT_EQ(Corrections("HOOFPIJNEN"), (Strings{"hoofdpijnen"})) << "case does not count";
    EXPECT_EQ(Corrections("foliumzur"), (Strings{"Foliumzuur"}));
    EXPECT_EQ(Corrections("kors"), Strings{}) << "two edits reach no word of four letters";
    EXPECT_EQ(Corrections("koorst"), (Strings{"Koorts"}));
    EXPECT_EQ(Corrections("hoofdpijn"), (Strings{"hoofdpijnen"})) << "the typed text itself is not offered";
}

TEST_F(BookWordsTest, Corrections_SeveralWordsAreCorrectedEachAndOfferedWhereTheSearchFindsThem) {
    Load(Book());
    EXPECT_EQ(Corrections("vitamin d"), (Strings{"Vitamine D"})) << "the title within two edits of the whole";
    EXPECT_EQ(Corrections("vitamne c"), (Strings{"Vitamine D", "vitamine c"}))
        << "a title two edits away, then each word corrected, the group found";
    EXPECT_EQ(Corrections("vitamne zzz"), Strings{}) << "a word without a correction spoils the group";
    EXPECT_EQ(Corrections("foliumzur vitamine"), Strings{}) << "a group the search does not find";
}

TEST_F(BookWordsTest, Corrections_AbsurdInputAndABookWithoutTexts) {
    Load(Book());
    EXPECT_EQ(Corrections(""), Strings{});
    EXPECT_EQ(Corrections("   "), Strings{});
    EXPECT_EQ(Corrections("!?"), Strings{});
    EXPECT_EQ(Corrections(std::string(300, 'x')), Strings{});
    EXPECT_EQ(Corrections(std::string(254, ' ') + "hoofpijn"), Strings{})
        << "the query is cut at 255 characters, as the search cuts it";
    Load({{1, "1|Hoofdpijn", ""}, {2, "4|Hoofdpijnen", "Alleen de Quorindex."}});
    EXPECT_EQ(Words.TitleCount(), 0u);
    EXPECT_EQ(Words.WordCount(), 0u);
    EXPECT_EQ(Corrections("hoofpijn"), Strings{});
}

TEST_F(BookWordsTest, Corrections_AtMostThreeAndTitlesOnlyWhenTheSearchFindsThem) {
    std::vector<TRawRecord> records{{1, "1|Zinkt", "Over huid."}};
    for (const char* word : {"zink", "zinc", "zine", "zinken", "zing"})
        records.push_back({uint32_t(records.size() + 1), std::string("2|T") + word,
                           std::string("Met ") + word + (word == std::string("zinken") ? ", zinken." : ".")});
    Load(records);
    const Strings offered = Corrections("zinkk");
    EXPECT_EQ(offered, (Strings{"zink", "zinken", "zinc"}))
        << "one edit before two, the more used first; the title \"Zinkt\" is not offered: a search for it "
           "finds nothing";
}

} // namespace
} // namespace orvalis
