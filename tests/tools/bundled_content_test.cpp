// The installation data the build compiled into the program folder: the book's sections are all there and
// every text is markup the reader shows as its author meant it.
#include "orvalis-db/db_check.h"

#include "content/idb_format.h"
#include "content/idb_query.h"
#include "content/idb_rec_file.h"
#include "content/markup_tags.h"

#include "db_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <map>

namespace orvalis {
namespace {

std::filesystem::path ProgramDir() {
    const char* dir = std::getenv("ORVALIS_PROGRAM_DIR");
    return dir ? std::filesystem::path(dir) : std::filesystem::path();
}

std::string DatabaseFile() {
    return (ProgramDir() / "D" / "iDbRecs.dat").string();
}

std::vector<TRawRecord> BundledRecords() {
    const TDecodeResult result = DecodeDatabase(test::ReadBytes(DatabaseFile()));
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
    bool digitTitle = false, accentedTitle = false;
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
    }
    EXPECT_GE(topics["1"], 66);
    EXPECT_GE(extras, 48);
    EXPECT_GE(recipes, 26);
    EXPECT_GE(topics["2"], 29);
    EXPECT_GE(topics["3"], 35);
    EXPECT_GE(topics["4"], 101);
    EXPECT_EQ(topics.size(), 4u);
    EXPECT_TRUE(digitTitle);
    EXPECT_TRUE(accentedTitle);
}

// A complaint tells the reader what to try and then when to get help; the second heading names the huisarts,
// sometimes after whoever else the complaint calls for ("Wanneer naar de tandarts of huisarts?").
TEST(BundledContent, EveryComplaintSaysWhatToDoAndWhenToSeeADoctor) {
    static constexpr std::string_view selfHelp = "<FONT SIZE=+2>Wat kunt u zelf doen?</FONT SIZE=-2>";
    static constexpr std::string_view doctor = "<FONT SIZE=+2>Wanneer naar de ";
    static constexpr std::string_view close = "</FONT SIZE=-2>";
    int complaints = 0;
    for (const TRawRecord& record : BundledRecords()) {
        const TPathLevels l = Levels(record);
        if (l.L1 != "1" || !l.L3.empty() || !l.L4.empty())
            continue;
        ++complaints;
        const std::string_view text = record.Text;
        const size_t self = text.find(selfHelp);
        ASSERT_NE(self, std::string_view::npos) << record.Path;
        const size_t when = text.find(doctor, self);
        ASSERT_NE(when, std::string_view::npos) << record.Path << ": no heading on when to get help after the self-help";
        const size_t end = text.find(close, when);
        ASSERT_NE(end, std::string_view::npos) << record.Path;
        const std::string_view heading = text.substr(when + doctor.size(), end - when - doctor.size());
        EXPECT_TRUE(heading.ends_with("huisarts?")) << record.Path << ": " << heading;
    }
    EXPECT_GE(complaints, 66);
}

// The link search of every cross-reference finds some record besides the one that holds the link.
TEST(BundledContent, EveryLinkResolvesAndTheAuthorsCheckIsClean) {
    const dbtool::TCheckReport report = dbtool::CheckDatabase(DatabaseFile());
    for (const std::string& problem : report.Problems)
        ADD_FAILURE() << problem;
    EXPECT_GE(report.Records, 306);
    EXPECT_GE(report.Links, 1000);
}

// The sentences of a text that tell the reader to call at once ("Bel direct", "bel dan meteen") without
// naming the huisarts, the huisartsenpost or 112. Tags are dropped; sentences end at . ! ? or a line break.
std::vector<std::string> CallsWithoutSayingWhom(std::string_view text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t close = text[i] == '<' ? text.find('>', i) : std::string_view::npos;
        if (close != std::string_view::npos)
            i = close;
        else
            plain += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    }
    std::vector<std::string> found;
    size_t begin = 0;
    while (begin < plain.size()) {
        size_t end = plain.find_first_of(".!?\r\n", begin);
        if (end == std::string::npos)
            end = plain.size();
        const std::string sentence = plain.substr(begin, end - begin);
        begin = end + 1;
        std::vector<std::string> words;
        std::string word;
        for (const char c : sentence + ' ') {
            if (std::isalnum(static_cast<unsigned char>(c))) {
                word += c;
            } else if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        }
        bool urgentCall = false;
        for (size_t w = 0; w < words.size(); ++w)
            for (size_t next = w + 1; words[w] == "bel" && next < words.size() && next <= w + 3; ++next)
                urgentCall = urgentCall || words[next] == "direct" || words[next] == "meteen";
        if (urgentCall && sentence.find("huisarts") == std::string::npos && sentence.find("112") == std::string::npos)
            found.push_back(sentence);
    }
    return found;
}

TEST(CallsWithoutSayingWhom, FindsAnUrgentCallThatNamesNoOne) {
    struct TCase {
        const char* Text;
        size_t Found;
    };
    for (const TCase& c : std::initializer_list<TCase>{
             {"Bel direct bij verlamming.", 1},
             {"Bel <U>direct</U> als u kracht verliest.", 1},
             {"Braakt u bloed, bel dan meteen.", 1},
             {"Bel ook direct bij koorts. Bel 112 bij flauwvallen.", 1},
             {"Bel <U>direct</U> 112 bij een scheve mond.", 0},
             {"Bel direct de huisarts of de huisartsenpost.", 0},
             {"Bel direct de huisarts\r\nals het niet stopt.", 0},
             {"Bel de huisarts. Stopt het niet, bel dan direct 112.", 0},
             {"Ga direct naar bed en bel morgen.", 0},
             {"Bel direct bij pijn\r\nof bel de huisarts.", 1},
         })
        EXPECT_EQ(CallsWithoutSayingWhom(c.Text).size(), c.Found) << c.Text;
}

TEST(BundledContent, EveryUrgentCallSaysWhomToCall) {
    for (const TRawRecord& record : BundledRecords())
        for (const std::string& sentence : CallsWithoutSayingWhom(record.Text))
            ADD_FAILURE() << record.Path << ": " << sentence;
    for (const char* file : {"1.Hnt", "2.Hnt", "3.Hnt", "4.Hnt", "Quiz.dat", "BMI.dat"}) {
        const std::string text = test::ReadBytes((ProgramDir() / "D" / file).string());
        EXPECT_FALSE(text.empty()) << file;
        for (const std::string& sentence : CallsWithoutSayingWhom(text))
            ADD_FAILURE() << file << ": " << sentence;
    }
}

// The topics of the third edition, each in its section, each found by a keyword search for a word of its title
// (which must therefore stand once in plain running text), and at least half of the complaints with an extra
// text.
TEST(BundledContent, HoldsTheTopicsOfTheThirdEdition) {
    struct TTopic {
        const char* Section;
        const char* Title;
        const char* Word;
    };
    static constexpr TTopic topics[] = {
        {"1", "Gordelroos", "gordelroos"},
        {"1", "Vaginale schimmelinfectie", "vaginale"},
        {"1", "Netelroos", "netelroos"},
        {"1", "Aften", "aften"},
        {"1", "Aarsmaden", "aarsmaden"},
        {"1", "Hartkloppingen", "hartkloppingen"},
        {"1", "Neusbloeding", "neusbloeding"},
        {"1", "Oorsuizen", "oorsuizen"},
        {"1", "Ingegroeide teennagel", "ingegroeide"},
        {"1", "Krentenbaard", "krentenbaard"},
        {"1", "Waterpokken", "waterpokken"},
        {"1", "Stoppen met roken", "stoppen"},
        {"2", "Voedingssupplementen", "voedingssupplementen"},
        {"2", "Melk en zuivel", "zuivel"},
        {"2", "Afvallen zonder hypes", "afvallen"},
        {"2", "Voedselallergie en -intolerantie", "voedselintolerantie"},
        {"2", "Etiketten lezen", "etiketten"},
        {"2", "Peulvruchten, noten en minder vlees", "peulvruchten"},
    };
    std::map<std::string, int> paths; // path -> 1-based index in file order
    const std::vector<TRawRecord> records = BundledRecords();
    for (size_t i = 0; i < records.size(); ++i)
        paths.emplace(records[i].Path, static_cast<int>(i + 1));
    TiDbRecFile db;
    ASSERT_TRUE(db.LoadFromFile(DatabaseFile(), nullptr));
    int complaints = 0, extras = 0;
    for (const TTopic& t : topics) {
        const std::string path = std::string(t.Section) + "|" + t.Title;
        const auto at = paths.find(path);
        ASSERT_NE(at, paths.end()) << path;
        if (std::string_view(t.Section) == "1") {
            ++complaints;
            extras += paths.count(path + "|" + t.Title) > 0;
        }
        std::string query = std::string("+") + t.Word;
        TiDbQuery q{query.data(), static_cast<int32_t>(query.size())};
        db.SelectByQuery(q, nullptr);
        bool found = false;
        for (int32_t k = 1; k <= db.SelectedCount() && !found; ++k)
            found = db.FindSelected(k) == at->second;
        EXPECT_TRUE(found) << path << " is not found by " << query;
    }
    EXPECT_GE(2 * extras, complaints);
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
