#include "orvalis-db/db_commands.h"

#include "db_fixture.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <sstream>

namespace orvalis::dbtool {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

struct TRun {
    int Code;
    std::string Out, Err;
};

TRun Tool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = RunDbTool(args, out, err);
    return {code, out.str(), err.str()};
}

const char* const Source = "@record 1|Zink tekort\n"
                           "Te weinig <A HREF=zink>zink</A>.\n"
                           "@extra\n"
                           "Meer.\n"
                           "@recipe\n"
                           "Soep.\n"
                           "@record 3|Zink\n"
                           "Een sporenelement, zie <A HREF=\"spoor element\">hier</A>.\n"
                           "@record 2|\xC3\x89\xC3\xA9n\n"
                           "Tekst.\n"
                           "@record 2|Acne\n"
                           "Tekst.\n"
                           "@record 4|Spoor element\n"
                           "Zeer kleine hoeveelheden.\n";

class DbToolTest : public ::testing::Test {
protected:
    std::string Packed() {
        WriteBytes(Dir.File("a.src"), Source);
        EXPECT_EQ(Tool({"pack", Dir.File("a.src"), Dir.File("db.dat")}).Code, ExitOk);
        return Dir.File("db.dat");
    }
    TempDir Dir;
};

TEST_F(DbToolTest, PackUnpackPack_IsByteIdentical) {
    const std::string db = Packed();
    const TRun unpack = Tool({"unpack", db, Dir.File("back.src")});
    ASSERT_EQ(unpack.Code, ExitOk) << unpack.Err;
    ASSERT_EQ(Tool({"pack", Dir.File("back.src"), Dir.File("again.dat")}).Code, ExitOk);
    EXPECT_EQ(ReadBytes(db), ReadBytes(Dir.File("again.dat")));

    // Also for a file no author would write: every byte value in paths and texts, explicit ids.
    std::vector<TRawRecord> odd{
        {7, std::string("\x00\x01\r\n|@#", 7), std::string("\r\n\xFF \x81\\x{41}\r\n", 13)},
        {0, "", ""},
        {3, "1|T", "  "}};
    WriteBytes(Dir.File("odd.dat"), test::Encode(odd));
    ASSERT_EQ(Tool({"unpack", Dir.File("odd.dat"), Dir.File("odd.src")}).Code, ExitOk);
    ASSERT_EQ(Tool({"pack", Dir.File("odd.src"), Dir.File("odd2.dat")}).Code, ExitOk);
    EXPECT_EQ(ReadBytes(Dir.File("odd.dat")), ReadBytes(Dir.File("odd2.dat")));
}

TEST_F(DbToolTest, Pack_ErrorLeavesExistingDatabaseAndNoTemporaryFile) {
    const std::string db = Packed();
    const std::string before = ReadBytes(db);
    WriteBytes(Dir.File("bad.src"), "@record 1|A\nPrijs in \xE2\x82\xB9\n@record 1|B\n\x01\n");
    const TRun run = Tool({"pack", Dir.File("a.src"), Dir.File("bad.src"), db});
    EXPECT_EQ(run.Code, ExitError);
    EXPECT_NE(run.Err.find(Dir.File("bad.src") + ":2: character U+20B9"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find(Dir.File("bad.src") + ":4: control character"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadBytes(db), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}), 3); // a.src bad.src db.dat

    EXPECT_EQ(Tool({"pack", Dir.File("missing.src"), Dir.File("x.dat")}).Code, ExitError);
    EXPECT_EQ(Tool({"pack", Dir.File("a.src"), Dir.File("no/such/dir/x.dat")}).Code, ExitError);
}

// Regressions: pack replaced a symbolic link by a file and reset the database's permissions to 0644.
TEST_F(DbToolTest, Pack_WritesThroughALinkAndKeepsTheTargetsMode) {
    const std::string db = Packed();
    const std::string before = ReadBytes(db);
    std::filesystem::permissions(db, std::filesystem::perms(0600));
    std::filesystem::create_symlink(db, Dir.File("link.dat"));
    WriteBytes(Dir.File("b.src"), "@record 1|Ander\nTekst.\n");
    ASSERT_EQ(Tool({"pack", Dir.File("b.src"), Dir.File("link.dat")}).Code, ExitOk);
    EXPECT_TRUE(std::filesystem::is_symlink(Dir.File("link.dat")));
    EXPECT_NE(ReadBytes(db), before) << "the link's target holds the new records";
    EXPECT_NE(Tool({"list", db}).Out.find("Ander"), std::string::npos);
    EXPECT_EQ(std::filesystem::status(db).permissions() & std::filesystem::perms::mask,
              std::filesystem::perms(0600));
}

// Regression: a write stopped by the file-size limit ended the tool and left its temporary file behind.
TEST_F(DbToolTest, Pack_OverTheFileSizeLimit_FailsAndLeavesNoTemporaryFile) {
    WriteBytes(Dir.File("a.src"), Source);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const TRun run = Tool({"pack", Dir.File("a.src"), Dir.File("db.dat")});
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(run.Code, ExitError);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("db.dat")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}), 1) << "only a.src";
}

TEST_F(DbToolTest, Unpack_RefusesDamagedFile) {
    const std::string db = Packed();
    const std::string bytes = ReadBytes(db);
    WriteBytes(Dir.File("cut.dat"), bytes.substr(0, bytes.size() - 3));
    const TRun run = Tool({"unpack", Dir.File("cut.dat"), Dir.File("cut.src")});
    EXPECT_EQ(run.Code, ExitError);
    EXPECT_NE(run.Err.find("is cut off in its text"), std::string::npos) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(Dir.File("cut.src")));
}

TEST_F(DbToolTest, List_SortsByTitleBytes) {
    const std::string db = Packed();
    TRun run = Tool({"list", db});
    EXPECT_EQ(run.Code, ExitOk);
    EXPECT_EQ(run.Out, "6|Acne\n7|Spoor element\n4|Zink\n1|Zink tekort\n5|\xC3\x89\xC3\xA9n\n");
    run = Tool({"list", db, "--section", "2"});
    EXPECT_EQ(run.Out, "2|Acne\n1|\xC3\x89\xC3\xA9n\n");
    EXPECT_EQ(Tool({"list", db, "--section=5"}).Code, ExitUsage);
}

TEST_F(DbToolTest, Query_KeywordAndLinkSearch) {
    const std::string db = Packed();
    TRun run = Tool({"query", db, "+WEINIG"});
    EXPECT_EQ(run.Out, "1|Zink tekort\n1 match\n");
    run = Tool({"query", db, "+\"spoor element\"", "--link"});
    EXPECT_EQ(run.Out, "2|Spoor element\n1|Zink\n2 matches\n");
    run = Tool({"query", db, "+\xC3\x89\xC3\xA9n", "--link"});
    EXPECT_EQ(run.Out, "1|\xC3\x89\xC3\xA9n\n1 match\n");
    EXPECT_EQ(Tool({"query", db, "+\xE2\x82\xB9"}).Code, ExitError);
}

TEST_F(DbToolTest, Check_ReportsEveryKindOfProblem) {
    EXPECT_EQ(Tool({"check", Packed()}).Code, ExitOk);
    std::vector<TRawRecord> records{
        {1, "1|Acne", "Zie <A HREF=nergens>dit</A> en <A HREF=griep>griep</A>."},
        {2, "2|Eiwit", ""},
        {2, "1|Acne|Acne", "Extra, maar niet direct na het onderwerp."},
        {3, "1|Griep", "x"},
        {4, "1|Griep|Griep", "Extra"},
        {5, "1|Griep||Griep", "Recept na extra zonder L3 = L2"},
        {6, "2|Vet|Vet", "Extra buiten sectie 1"},
        {7, "1|A|B", "Niets"},
        {0, "", ""},
        {0, "", ""},
    };
    std::string bytes = test::Encode(records) + "xy";
    WriteBytes(Dir.File("bad.dat"), bytes);
    const TRun run = Tool({"check", Dir.File("bad.dat")});
    EXPECT_EQ(run.Code, ExitError);
    for (const char* expected : {
             "the file is damaged at byte",
             "2 bytes follow the last record",
             "record 1 (#1 1|Acne): the link target \"nergens\" finds nothing but this record",
             "record 3 (#2 1|Acne|Acne): the id is also used by record 2 (#2 2|Eiwit)",
             "record 3 (#2 1|Acne|Acne): the extra information does not directly follow its topic",
             "record 6 (#5 1|Griep||Griep): the recipe does not directly follow its topic or its extra "
             "information",
             "record 7 (#6 2|Vet|Vet): extra information is only shown in section 1",
             "record 8 (#7 1|A|B): neither a topic, an extra text nor a recipe",
             "7 problem(s)",
         })
        EXPECT_NE(run.Err.find(expected), std::string::npos) << expected << "\n" << run.Err;
    EXPECT_EQ(run.Err.find("\"griep\""), std::string::npos); // found through the title of another topic
}

// Regression: check passed a title the program cuts at 255 characters and a path the program cuts at a NUL.
TEST_F(DbToolTest, Check_WarnsAboutLongTitlesAndNulInPaths) {
    WriteBytes(Dir.File("cut.dat"), test::Encode({{1, "1|" + std::string(256, 'T'), "x"},
                                                  {2, std::string("1|Nul\0na", 9), "y"},
                                                  {3, "1|" + std::string(255, 'K'), "z"}}));
    const TRun run = Tool({"check", Dir.File("cut.dat")});
    EXPECT_EQ(run.Code, ExitError);
    EXPECT_NE(run.Err.find("record 1 "), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("longer than 255 characters"), std::string::npos) << run.Err;
    EXPECT_NE(run.Err.find("holds a NUL byte"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Err.find("record 3 "), std::string::npos) << "255 characters are kept whole";
}

TEST_F(DbToolTest, UsageAndHelp) {
    EXPECT_EQ(Tool({}).Code, ExitUsage);
    EXPECT_EQ(Tool({"frobnicate"}).Code, ExitUsage);
    EXPECT_EQ(Tool({"list"}).Code, ExitUsage);
    EXPECT_EQ(Tool({"list", "a", "b"}).Code, ExitUsage);
    EXPECT_EQ(Tool({"check", "db", "--fast"}).Code, ExitUsage);
    const TRun help = Tool({"--help"});
    EXPECT_EQ(help.Code, ExitOk);
    EXPECT_NE(help.Out.find("\\x{HH}"), std::string::npos);
    // One line "NAME VERSION", the form manual-page generators read.
    const TRun version = Tool({"--version"});
    EXPECT_EQ(version.Code, ExitOk);
    EXPECT_TRUE(version.Out.starts_with("orvalis-db ") && version.Out.ends_with("\n") &&
                std::count(version.Out.begin(), version.Out.end(), '\n') == 1)
        << version.Out;
    for (const char* command : {"pack", "unpack", "list", "query", "check", "dump", "text"}) {
        const TRun h = Tool({command, "--help"});
        EXPECT_EQ(h.Code, ExitOk) << command;
        EXPECT_NE(h.Out.find(std::string("orvalis-db ") + command), std::string::npos) << command;
    }
    const TRun missing = Tool({"list", Dir.File("none.dat")});
    EXPECT_EQ(missing.Code, ExitError);
    EXPECT_NE(missing.Err.find("cannot be read"), std::string::npos);
}

TEST_F(DbToolTest, Dump_OneLinePerRecord) {
    const std::string db = Packed();
    ASSERT_EQ(Tool({"dump", db, Dir.File("dump.txt")}).Code, ExitOk);
    const std::string dump = ReadBytes(Dir.File("dump.txt"));
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '\n'), 7);
    EXPECT_NE(dump.find("1|Zink tekort\tTe weinig <A HREF=zink>zink</A>.\n"), std::string::npos);
}

} // namespace
} // namespace orvalis::dbtool
