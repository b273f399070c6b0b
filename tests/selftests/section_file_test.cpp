#include "db_fixture.h"
#include "selftests/section_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace orvalis {
namespace {

using Lines = std::vector<std::string>;

TEST(SectionLines, TakesTheBodyUpToTheNextBracketLine) {
    const std::string text = "voorwoord\r\n[Q1]\r\nVraag\r\n\r\nA\r\n[A1]\r\n\r\n2\r\n[Q10]\r\nTien\r\n";
    EXPECT_EQ(SectionLines(text, "Q1"), (Lines{"Vraag", "", "A"})) << "empty lines belong to the body";
    EXPECT_EQ(SectionLines(text, "A1"), (Lines{"", "2"}));
    EXPECT_EQ(SectionLines(text, "Q10"), (Lines{"Tien"})) << "a final line end adds no empty line";
    EXPECT_EQ(SectionLines(text, "Q2"), Lines{});
    EXPECT_EQ(SectionLines(text, "voorwoord"), Lines{}) << "lines before the first header are no section";
}

TEST(SectionLines, HeaderMustBeTheWholeLineExactly) {
    const struct {
        const char* Text;
        Lines Expected;
    } cases[] = {
        {"[Q7] \r\nniet\r\n", {}},
        {" [Q7]\r\nniet\r\n", {}},
        {"[q7]\r\nniet\r\n", {}},
        {"[Q70]\r\nniet\r\n[Q7]\r\nwel\r\n", {"wel"}},
        {"[Q7]\r\neerste\r\n[Q7]\r\ntweede\r\n", {"eerste"}},
        {"[Q7]", {}},
        {"[Q7]\r\n", {}},
        {"[Q7]\r\n[A7]\r\nantwoord", {}},
        {"[Q7]\r\nzonder einde", {"zonder einde"}},
        {"[Q7]\nalleen LF\nen nog een\n", {"alleen LF", "en nog een"}},
        {"[Q7]\ralleen CR\r\r\n", {"alleen CR", ""}},
        {"[Q7]\r\ntekst [met] haken\r\n [spatie]\r\n[einde\r\n", {"tekst [met] haken", " [spatie]"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SectionLines(c.Text, "Q7"), c.Expected) << c.Text;
}

TEST(SectionLines, CutsLinesAndHeadersAt255Characters) {
    const std::string longLine(300, 'x');
    EXPECT_EQ(SectionLines("[a]\r\n" + longLine + "\r\nkort\r\n", "a"),
              (Lines{std::string(255, 'x'), "kort"}));
    // A header line is cut before it is compared, so a longer line still opens the section whose header
    // fills the first 255 characters.
    const std::string name(253, 'n');
    EXPECT_EQ(SectionLines("[" + name + "]overbodig\r\nlijn\r\n", name), (Lines{"lijn"}));
}

TEST(ReadSectionLines, MissingTooLargeOrFolderReadsAsNoLines) {
    test::TempDir dir;
    const std::string file = dir.File("Quiz.dat");
    EXPECT_EQ(ReadSectionLines(file, "Q1"), Lines{}) << "missing file";
    EXPECT_EQ(ReadSectionLines(dir.Path().string(), "Q1"), Lines{}) << "a folder";

    // A 10 MB file of questions is read like a small one.
    std::string big;
    for (int n = 1; big.size() < (10u << 20); ++n)
        big += "[Q" + std::to_string(n) + "]\r\n" + std::string(200, 'v') + "\r\n";
    big += "[Q0]\r\nlaatste\r\n";
    test::WriteBytes(file, big);
    EXPECT_EQ(ReadSectionLines(file, "Q0"), (Lines{"laatste"}));
    EXPECT_EQ(ReadSectionLines(file, "Q1"), (Lines{std::string(200, 'v')}));

    std::filesystem::resize_file(file, MaxSectionFileSize + 1);
    EXPECT_EQ(ReadSectionLines(file, "Q1"), Lines{}) << "beyond the limit the file counts as unreadable";
}

} // namespace
} // namespace orvalis
