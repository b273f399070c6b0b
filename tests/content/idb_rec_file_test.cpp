#include "content/idb_query.h"
#include "content/idb_rec_file.h"

#include "db_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <malloc.h>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace orvalis {
namespace {

using test::Encode;
using test::TempDir;
using test::WriteBytes;

std::vector<TRawRecord> SampleRecords() {
    return {
        {11, "1|Acne", "Puistjes."},
        {12, "1|Acne|Acne", "Meer over acne."},
        {13, "1|Acne|Acne|Acne", "Een masker."},
        {14, "2|Eiwitten", "Bouwstoffen."},
        {15, "3|Zink", "Een spoorelement."},
        {16, "4|Acne", "Huidaandoening."},
        {17, "1|Zinkgebrek", "Tekort aan zink."},
        {18, "3|ijzer", "Rode bloedcellen."},
    };
}

class RecFileTest : public ::testing::Test {
protected:
    bool Load(const std::vector<TRawRecord>& records) { return LoadBytes(Encode(records)); }
    bool LoadBytes(const std::string& bytes) {
        WriteBytes(Dir.File("iDbRecs.dat"), bytes);
        return Db.LoadFromFile(Dir.File("iDbRecs.dat"), nullptr);
    }
    std::string PathAt(int32_t ordinal) {
        TiDbRec r;
        Db.GetSelected(ordinal, r);
        return r.Path == nullptr ? "" : r.Path;
    }
    TempDir Dir;
    TiDbRecFile Db;
};

TEST_F(RecFileTest, LoadFromFile_MissingOrEmptyFile_FailsEmpty) {
    EXPECT_FALSE(Db.LoadFromFile(Dir.File("missing.dat"), nullptr));
    EXPECT_FALSE(LoadBytes(""));
    EXPECT_FALSE(LoadBytes("\x01\x00"));
    EXPECT_EQ(Db.RecordCount(), 0);
}

// Regression: a database that is a FIFO kept the start-up waiting for a writer for ever.
TEST_F(RecFileTest, LoadFromFile_NotARegularFile_FailsAtOnce) {
    const std::string fifo = Dir.File("fifo.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A writer comes a moment later; it finds a reader only if the load is still waiting in the FIFO, and
    // its arrival ends that wait, so the test ends either way.
    bool readerWaited = false;
    std::thread writer([&fifo, &readerWaited] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        readerWaited = fd >= 0;
        if (fd >= 0)
            close(fd);
    });
    EXPECT_FALSE(Db.LoadFromFile(fifo, nullptr));
    writer.join();
    EXPECT_FALSE(readerWaited) << "the load waited for a writer";
    EXPECT_FALSE(Db.LoadFromFile(Dir.Path().string(), nullptr)) << "a folder";
    EXPECT_EQ(Db.RecordCount(), 0);
}

// Regression: 200 MB of empty records took ten times the file's size in memory (and 33 seconds). The heap
// the loaded records hold must stay within three times the file, whatever count the file declares.
TEST_F(RecFileTest, LoadFromFile_ManyEmptyOrTinyRecords_TakeAtMostThreeTimesTheFile) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' allocator keeps its own books";
#else
    constexpr int32_t Count = 1'000'000;
    std::string body;
    body.reserve(size_t(Count) * 9);
    for (int32_t i = 0; i < Count; ++i) {
        // Every third record has a one-byte path "1"; the others are empty.
        const bool tiny = i % 3 == 0;
        const char header[8] = {char(i & 0xFF), char(i >> 8 & 0xFF), char(i >> 16 & 0xFF), 0,
                                char(tiny ? 1 : 0), 0, 0, 0};
        body.append(header, 8);
        if (tiny)
            body += char(ScrambleByte('1'));
    }
    const auto heapInUse = [] {
        const struct mallinfo2 info = mallinfo2();
        return info.uordblks + info.hblkhd;
    };
    for (const int32_t declared : {Count, -1, INT32_MAX}) {
        std::string bytes(4, '\0');
        for (int k = 0; k < 4; ++k)
            bytes[size_t(k)] = char(uint32_t(declared) >> (8 * k) & 0xFF);
        bytes += body;
        WriteBytes(Dir.File("many.dat"), bytes);
        TiDbRecFile db;
        const size_t before = heapInUse();
        EXPECT_EQ(db.LoadFromFile(Dir.File("many.dat"), nullptr), declared == Count);
        const size_t held = heapInUse() - before;
        ASSERT_EQ(db.RecordCount(), Count) << declared;
        EXPECT_LE(held, 3 * bytes.size()) << "declared " << declared;
        // The last record (i = 999,999) has a path, the one before it is empty and has no id.
        EXPECT_STREQ(db.Record(Count).Path, "1");
        EXPECT_EQ(db.Record(Count).Id, uint32_t(Count - 1));
        EXPECT_EQ(db.Record(Count - 1).Id, 0u);
        db.SelectSection('1');
        EXPECT_EQ(db.SelectedCount(), (Count + 2) / 3);
    }
#endif
}

TEST_F(RecFileTest, LoadFromFile_CountZero_SucceedsWithNothingListed) {
    ASSERT_TRUE(Load({}));
    Db.SelectAll();
    std::vector<std::string> titles{"stale"};
    Db.ListTitles(TTitleSelector::tsAll, titles);
    EXPECT_TRUE(titles.empty());
    TiDbRec r;
    r.Id = 99;
    Db.GetSelected(1, r);
    EXPECT_EQ(r.Id, 0u);
    EXPECT_EQ(r.Path, nullptr);
    EXPECT_EQ(r.Text, nullptr);
    EXPECT_EQ(Db.SelectedCount(), 0);
}

TEST_F(RecFileTest, LoadFromFile_Unscrambles) {
    std::string bytes = Encode({{1, "x", "y"}});
    // Replace the stored path and text bytes by chosen raw values.
    const std::string raw("\x80\xFE\x01\x00\xFF", 5);
    bytes = std::string("\x01\x00\x00\x00", 4) + std::string("\x07\x00\x00\x00", 4) +
            std::string("\x00\x00", 2) + std::string("\x05\x00", 2) + raw;
    ASSERT_TRUE(LoadBytes(bytes));
    Db.SelectAll();
    TiDbRec r;
    Db.GetSelected(1, r);
    ASSERT_EQ(r.TextLen, 5);
    EXPECT_EQ(std::string(r.Text, 5), std::string("\x01\x7F\x80\x00\xFF", 5));
    EXPECT_EQ(r.Text[5], '\0');
    EXPECT_EQ(r.Path, nullptr);
    EXPECT_EQ(r.Id, 7u);
}

TEST_F(RecFileTest, LoadFromFile_EmptyRecord_KeptWithIdZero) {
    ASSERT_TRUE(Load({{5, "", ""}, {6, "1|A", ""}}));
    ASSERT_EQ(Db.RecordCount(), 2);
    EXPECT_EQ(Db.Record(1).Id, 0u);
    EXPECT_EQ(Db.Record(1).Path, nullptr);
    EXPECT_EQ(Db.Record(2).Id, 6u);
    EXPECT_EQ(Db.Record(2).Text, nullptr);
    EXPECT_FALSE(Db.Record(2).Selected);
}

// Every prefix of a valid file keeps exactly the records that are complete in it and reports failure.
TEST_F(RecFileTest, LoadFromFile_TruncatedAtEveryOffset_KeepsCompleteRecordsAndFails) {
    const std::vector<TRawRecord> records = SampleRecords();
    const std::string bytes = Encode(records);
    std::vector<size_t> ends; // offset just after each record
    size_t at = 4;
    for (const TRawRecord& r : records) {
        at += 8 + r.Path.size() + r.Text.size();
        ends.push_back(at);
    }
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        TiDbRecFile db;
        WriteBytes(Dir.File("cut.dat"), bytes.substr(0, cut));
        EXPECT_FALSE(db.LoadFromFile(Dir.File("cut.dat"), nullptr)) << cut;
        const auto complete = std::count_if(ends.begin(), ends.end(), [&](size_t e) { return e <= cut; });
        ASSERT_EQ(db.RecordCount(), complete) << cut;
        if (complete > 0) {
            EXPECT_STREQ(db.Record(static_cast<int32_t>(complete)).Text,
                         records[static_cast<size_t>(complete) - 1].Text.c_str());
        }
    }
}

// The count is not trusted: a huge or negative one reads what is there and fails, allocating nothing for it.
TEST_F(RecFileTest, LoadFromFile_UntrustedCount_ReadsUntilDataEnds) {
    for (const std::string& count :
         {std::string("\xFF\xFF\xFF\x7F", 4), std::string("\xFE\xFF\xFF\xFF", 4)}) {
        std::string bytes = Encode(SampleRecords());
        bytes.replace(0, 4, count);
        TiDbRecFile db;
        WriteBytes(Dir.File("big.dat"), bytes);
        EXPECT_FALSE(db.LoadFromFile(Dir.File("big.dat"), nullptr));
        EXPECT_EQ(db.RecordCount(), static_cast<int32_t>(SampleRecords().size()));
    }
}

TEST_F(RecFileTest, LoadFromFile_Reload_ReplacesContent) {
    ASSERT_TRUE(Load(SampleRecords()));
    ASSERT_TRUE(Load({{1, "2|B", "b"}}));
    EXPECT_EQ(Db.RecordCount(), 1);
}

// A reload forgets the old selection: nothing is selected until asked, and selecting all after a reload
// of as many records selects the new ones.
TEST_F(RecFileTest, Reload_ForgetsTheSelectionOfTheOldRecords) {
    ASSERT_TRUE(Load({{1, "1|A", "a"}, {2, "1|B", "b"}}));
    Db.SelectAll();
    ASSERT_EQ(Db.SelectedCount(), 2);
    ASSERT_TRUE(Load({{3, "2|C", "c"}, {4, "2|D", "d"}}));
    EXPECT_EQ(Db.SelectedCount(), 0);
    EXPECT_EQ(Db.CursorOrdinal(), 0);
    EXPECT_EQ(PathAt(1), "");
    Db.SelectAll();
    EXPECT_EQ(PathAt(2), "2|D");
    std::vector<std::string> titles;
    Db.ListTitles(TTitleSelector::tsAll, titles);
    EXPECT_EQ(titles, (std::vector<std::string>{"1|C", "2|D"}));
}

TEST_F(RecFileTest, LoadFromFile_Gauge_AdvancesPerRecordAndHides) {
    WriteBytes(Dir.File("g.dat"), Encode({{1, "1|A", "a"}, {2, "1|B", "b"}, {3, "1|C", "c"}}));
    test::RecordingGauge gauge;
    ASSERT_TRUE(Db.LoadFromFile(Dir.File("g.dat"), &gauge));
    const std::vector<std::string> expected{"progress 0",   "show",        "progress 33",
                                            "messages",     "progress 66", "messages",
                                            "progress 100", "messages",    "hide"};
    EXPECT_EQ(gauge.Calls, expected);
}

TEST(SplitPath, Levels) {
    struct Case {
        const char* Path;
        TPathLevels Expected;
    };
    const std::string level300(300, 'x');
    const std::string cutPath = "1|" + level300;
    const Case cases[] = {
        {nullptr, {}},
        {"", {}},
        {"1|Acne", {"1", "Acne", "", ""}},
        {"1|Acne|Acne", {"1", "Acne", "Acne", ""}},
        {"1|A||A", {"1", "A", "", "A"}},
        {"a|b|c|d|e|f", {"a", "b", "c", "d"}},
        {"|||", {"", "", "", ""}},
        {cutPath.c_str(), {"1", std::string(255, 'x'), "", ""}},
    };
    for (const Case& c : cases) {
        const TPathLevels l = TiDbRecFile::SplitPath(c.Path);
        EXPECT_EQ(l.L1, c.Expected.L1);
        EXPECT_EQ(l.L2, c.Expected.L2);
        EXPECT_EQ(l.L3, c.Expected.L3);
        EXPECT_EQ(l.L4, c.Expected.L4) << (c.Path ? c.Path : "null");
    }
}

TEST_F(RecFileTest, SelectSection_OrdinalsCountOnlyThatSection) {
    ASSERT_TRUE(Load(SampleRecords()));
    Db.SelectSection('2');
    EXPECT_EQ(Db.SelectedCount(), 1);
    EXPECT_EQ(PathAt(1), "2|Eiwitten");
    Db.SelectSection('1');
    EXPECT_EQ(Db.SelectedCount(), 4);
    EXPECT_EQ(Db.CursorOrdinal(), 1);
    EXPECT_EQ(Db.CursorIndex(), 1);
    EXPECT_EQ(PathAt(4), "1|Zinkgebrek");
    Db.SelectSection('9');
    EXPECT_EQ(Db.SelectedCount(), 0);
    EXPECT_EQ(Db.CursorIndex(), 0);
    EXPECT_EQ(PathAt(1), "");
}

TEST_F(RecFileTest, SelectAll_KeepsCursorIndexAsOrdinal) {
    ASSERT_TRUE(Load(SampleRecords()));
    Db.SelectSection('3');
    EXPECT_EQ(Db.CursorIndex(), 5);
    Db.SelectAll();
    EXPECT_EQ(Db.SelectedCount(), 8);
    EXPECT_EQ(Db.CursorOrdinal(), 5);
    EXPECT_EQ(Db.CursorIndex(), 5);
    Db.SelectNone();
    EXPECT_EQ(Db.CursorOrdinal(), 0);
    Db.SelectAll();
    EXPECT_EQ(Db.CursorOrdinal(), 1);
    EXPECT_EQ(Db.CursorIndex(), 1);
}

TEST_F(RecFileTest, FindSelected_OrdinalBelowOne_HasNoRecord) {
    ASSERT_TRUE(Load(SampleRecords()));
    Db.SelectAll();
    EXPECT_EQ(Db.FindSelected(0), 0);
    EXPECT_EQ(Db.FindSelected(-3), 0);
    EXPECT_EQ(Db.FindSelected(9), 0);
    EXPECT_EQ(Db.CursorOrdinal(), 1); // a miss leaves the cursor
    TiDbRec r;
    Db.GetSelected(0, r);
    EXPECT_EQ(r.Path, nullptr);
}

// After every kind of selection, any sequence of lookups answers what counting the selection would.
TEST_F(RecFileTest, FindSelected_RandomLookups_MatchCounting) {
    std::mt19937 rng(77);
    std::vector<TRawRecord> records;
    for (int i = 0; i < 40; ++i)
        records.push_back({static_cast<uint32_t>(i + 1),
                           std::string(1, "1234"[rng() % 4]) + "|T" + std::to_string(i),
                           i % 5 == 0 ? "zink" : "ijzer"});
    ASSERT_TRUE(Load(records));
    const std::vector<std::function<void()>> selections{
        [&] { Db.SelectAll(); },
        [&] { Db.SelectNone(); },
        [&] { Db.SelectSection('1'); },
        [&] { Db.SelectSection('4'); },
        [&] {
            std::string q = "+zink";
            TiDbQuery query{q.data(), static_cast<int32_t>(q.size())};
            Db.SelectByLinkQuery(query, nullptr);
        },
    };
    for (int round = 0; round < 50; ++round) {
        selections[rng() % selections.size()]();
        std::vector<int32_t> selected; // index of each ordinal
        for (int32_t i = 1; i <= Db.RecordCount(); ++i) {
            if (Db.Record(i).Selected)
                selected.push_back(i);
        }
        ASSERT_EQ(Db.SelectedCount(), static_cast<int32_t>(selected.size()));
        for (int lookup = 0; lookup < 60; ++lookup) {
            const int32_t n = std::uniform_int_distribution<int32_t>(-1, Db.SelectedCount() + 2)(rng);
            const int32_t expected = (n >= 1 && n <= Db.SelectedCount()) ? selected[n - 1] : 0;
            ASSERT_EQ(Db.FindSelected(n), expected) << "round " << round << " ordinal " << n;
            if (expected != 0) {
                EXPECT_EQ(Db.CursorOrdinal(), n);
                EXPECT_EQ(Db.CursorIndex(), expected);
                TiDbRec r;
                Db.GetSelected(n, r);
                EXPECT_EQ(r.Path, Db.Record(expected).Path); // shared, not copied
            }
        }
    }
}

TEST_F(RecFileTest, ListTitles_SelectorsAndOrdinals) {
    ASSERT_TRUE(Load(SampleRecords()));
    Db.SelectAll();
    std::vector<std::string> list;
    Db.ListTitles(TTitleSelector::tsAll, list);
    EXPECT_EQ(list, (std::vector<std::string>{"1|Acne", "4|Eiwitten", "5|Zink", "6|Acne", "7|Zinkgebrek",
                                              "8|ijzer"}));
    Db.ListTitles(TTitleSelector::tsBook, list);
    EXPECT_EQ(list, (std::vector<std::string>{"1|Acne", "4|Eiwitten", "5|Zink", "7|Zinkgebrek", "8|ijzer"}));
    Db.ListTitles(TTitleSelector::tsQuorindex, list);
    EXPECT_EQ(list, (std::vector<std::string>{"6|Acne"}));
    Db.SelectSection('3');
    Db.ListTitles(TTitleSelector::tsAll, list);
    EXPECT_EQ(list, (std::vector<std::string>{"1|Zink", "2|ijzer"}));

    // The one-pass forms give what the separate passes give.
    for (const char section : {'\0', '1', '3'}) {
        section ? Db.SelectSection(section) : Db.SelectAll();
        uint32_t initials = 0xFFFFFFFF;
        std::vector<std::string> with, book{"stale"}, quorindex{"stale"}, separate;
        Db.ListTitles(TTitleSelector::tsAll, with, &initials);
        Db.ListTitles(TTitleSelector::tsAll, separate);
        EXPECT_EQ(with, separate);
        EXPECT_EQ(initials, Db.InitialLetters()) << section;
        Db.ListBookAndQuorindexTitles(book, quorindex);
        Db.ListTitles(TTitleSelector::tsBook, separate);
        EXPECT_EQ(book, separate) << section;
        Db.ListTitles(TTitleSelector::tsQuorindex, separate);
        EXPECT_EQ(quorindex, separate) << section;
    }
    // Extra texts count for the letters, although only topics are listed.
    ASSERT_TRUE(Load({{1, "1|Acne", "a"}, {2, "1|Blaas|Blaas", "b"}}));
    Db.SelectAll();
    uint32_t initials = 0;
    Db.ListTitles(TTitleSelector::tsAll, list, &initials);
    EXPECT_EQ(list, std::vector<std::string>{"1|Acne"});
    EXPECT_EQ(initials, 0b11u);
}

TEST_F(RecFileTest, HasInitial_AsciiLettersOnly) {
    ASSERT_TRUE(
        Load({{1, "1|acne", "a"}, {2, "2|\xC9\x65n", "b"}, {3, "2|5 vitaminen", "c"}, {4, "3", "d"}}));
    Db.SelectSection('1');
    EXPECT_TRUE(Db.HasInitial('A'));
    EXPECT_TRUE(Db.HasInitial('a'));
    EXPECT_FALSE(Db.HasInitial('B'));
    Db.SelectSection('2');
    EXPECT_FALSE(Db.HasInitial('E'));
    EXPECT_FALSE(Db.HasInitial('5'));
    Db.SelectAll();
    EXPECT_FALSE(Db.HasInitial('D')); // a record without a title counts for no letter
    EXPECT_EQ(Db.InitialLetters(), (1u << 0)) << "one pass gives every letter's answer";
    Db.SelectNone();
    EXPECT_EQ(Db.InitialLetters(), 0u);
}

} // namespace
} // namespace orvalis
