#include "orvalis-db/record_source.h"

#include <gtest/gtest.h>

#include <random>

namespace orvalis::dbtool {
namespace {

std::vector<TRawRecord> Parse(const std::string& content, std::vector<TSourceError>& errors) {
    return ParseRecordSource({{"src.txt", content}}, errors);
}

std::vector<TRawRecord> ParseOk(const std::string& content) {
    std::vector<TSourceError> errors;
    std::vector<TRawRecord> records = Parse(content, errors);
    for (const TSourceError& e : errors)
        ADD_FAILURE() << e.File << ":" << e.Line << ": " << e.Message;
    return records;
}

std::string FirstError(const std::string& content) {
    std::vector<TSourceError> errors;
    Parse(content, errors);
    if (errors.empty())
        return "no error";
    return errors[0].File + ":" + std::to_string(errors[0].Line) + ": " + errors[0].Message;
}

TEST(RecordSource, TopicExtraRecipeAndIds) {
    const auto records = ParseOk("@# Section one\n"
                                 "\n"
                                 "@record 1|Acne\n"
                                 "Eerste regel  \n"
                                 "\n"
                                 "Derde regel \xC3\xA9\xC3\xA9n\n"
                                 "\n\n"
                                 "@extra\n"
                                 "@# not part of the text\n"
                                 "Extra\n"
                                 "@recipe #40\n"
                                 "Recept\n"
                                 "@record 4|Acne\r\n"
                                 "Woord\r\n");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0], (TRawRecord{1, "1|Acne", "Eerste regel\r\n\r\nDerde regel \xE9\xE9n"}));
    EXPECT_EQ(records[1], (TRawRecord{2, "1|Acne|Acne", "Extra"}));
    EXPECT_EQ(records[2], (TRawRecord{40, "1|Acne|Acne|Acne", "Recept"}));
    EXPECT_EQ(records[3], (TRawRecord{41, "4|Acne", "Woord"}));
}

TEST(RecordSource, Escapes) {
    const auto records = ParseOk("@record #0 \\x{23}x\\x{20}\n"
                                 "\\x{40}home\\x{0D}\\x{0a}\n"
                                 "\\x{5C}x{41} \\x{zz} \\x{4}\n"
                                 "@record\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Id, 0u);
    EXPECT_EQ(records[0].Path, "#x ");
    EXPECT_EQ(records[0].Text, "@home\r\n\r\n\\x{41} \\x{zz} \\x{4}");
    EXPECT_EQ(records[1], (TRawRecord{1, "", ""}));
}

TEST(RecordSource, ErrorsNameFileAndLine) {
    EXPECT_EQ(FirstError("@record 1|A\nprijs 5 \xE2\x82\xAC, \xC4\x80\n"),
              "src.txt:2: character U+0100 '\xC4\x80' at column 12 cannot be written in Windows-1252");
    EXPECT_EQ(FirstError("@record 1|A\nok\n\xC3(\n"), "src.txt:3: invalid UTF-8 at column 1");
    EXPECT_EQ(FirstError("@record 1|A\na\x01\n"),
              "src.txt:2: control character at column 2; write it as \\x{01}");
    EXPECT_EQ(FirstError("tekst\n@record 1|A\n"), "src.txt:1: text before the first record line");
    EXPECT_EQ(FirstError("@record 1|A\n@home\n"),
              "src.txt:2: unknown directive '@home'; a text line beginning with @ is written \\x{40}...");
    EXPECT_EQ(FirstError("@record #12x 1|A\n"),
              "src.txt:1: the id '#12x' is not a number from 0 to 4294967295");
    EXPECT_EQ(FirstError("@record #4294967296 1|A\n"),
              "src.txt:1: the id '#4294967296' is not a number from 0 to 4294967295");
    EXPECT_EQ(FirstError("@record 1|A|B\n@extra\n"),
              "src.txt:2: @extra or @recipe without a topic \"section|title\" before it");
    EXPECT_EQ(FirstError("@record 1|A\n@recipe 1|A\n"),
              "src.txt:2: @extra and @recipe take no path, only an optional #id");
    EXPECT_EQ(FirstError("@record 1|" + std::string(65534, 'p') + "\n"),
              "src.txt:1: the path is 65536 bytes long; at most 65535 fit");
    EXPECT_EQ(FirstError("@record 1|A\n" + std::string(40000, 't') + "\n" + std::string(30000, 't') + "\n"),
              "src.txt:1: the text is 70002 bytes long; at most 65535 fit");
    EXPECT_EQ(FirstError("@record 1|A\n" + std::string(65535, 't') + "\n"), "no error");
}

TEST(RecordSource, AllErrorsAreCollectedAcrossFiles) {
    std::vector<TSourceError> errors;
    ParseRecordSource({{"a.src", "@bad\n@record 1|A\n\x01\n"}, {"b.src", "@extra\n"}}, errors);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].File, "a.src");
    EXPECT_EQ(errors[1].File, "a.src");
    EXPECT_EQ(errors[1].Line, 3);
    // b.src's @extra finds the topic of a.src: files continue one another.
    ParseRecordSource({{"a.src", "@record 1|A\n"}, {"b.src", "@extra\n"}}, errors);
}

// Writing and reading back reproduces any records at all: every byte value, line breaks anywhere, blanks
// at line ends, directive look-alikes and escape look-alikes.
TEST(RecordSource, WriteThenParse_ReproducesArbitraryRecords) {
    std::mt19937 rng(2024);
    const std::string pieces[] = {"\r\n",    "\r",   "\n",  " ",       "\t",      "@",    "#",
                                  "\\x{41}", "\\",   "|",   "a",       "\xE9",    "\x81", "\x00",
                                  "\x7F",    "\xFF", "1|T", "@record", "\r\n\r\n"};
    for (int round = 0; round < 300; ++round) {
        std::vector<TRawRecord> records;
        const int count = static_cast<int>(rng() % 6);
        for (int r = 0; r < count; ++r) {
            TRawRecord rec;
            rec.Id =
                rng() % 3 == 0 ? static_cast<uint32_t>(rng()) : (records.empty() ? 1 : records.back().Id + 1);
            for (int k = static_cast<int>(rng() % 5); k > 0; --k)
                rec.Path += pieces[rng() % std::size(pieces)];
            if (rng() % 3 == 0)
                rec.Path = "1|T";
            else if (rng() % 4 == 0)
                rec.Path = "1|T|T";
            for (int k = static_cast<int>(rng() % 12); k > 0; --k)
                rec.Text += pieces[rng() % std::size(pieces)];
            records.push_back(rec);
        }
        const std::string source = WriteRecordSource(records);
        std::vector<TSourceError> errors;
        const std::vector<TRawRecord> back = ParseRecordSource({{"w.src", source}}, errors);
        ASSERT_TRUE(errors.empty()) << errors[0].Line << ": " << errors[0].Message << "\n" << source;
        ASSERT_EQ(back, records) << source;
    }
}

TEST(RecordSource, WrittenSourceReadsNaturally) {
    const std::string source = WriteRecordSource({{1, "1|Acne", "Regel een\r\n\r\nRegel twee \xE9\xE9n"},
                                                  {2, "1|Acne|Acne", "Extra\r\n"},
                                                  {3, "1|Acne|Acne|Acne", "Recept"},
                                                  {9, "4|Acne", ""}});
    EXPECT_EQ(source, "@# Orvalis record source, written by orvalis-db unpack\n\n"
                      "@record 1|Acne\nRegel een\n\nRegel twee \xC3\xA9\xC3\xA9n\n\n"
                      "@extra\nExtra\\x{0D}\\x{0A}\n\n"
                      "@recipe\nRecept\n\n"
                      "@record #9 4|Acne\n\n");
}

} // namespace
} // namespace orvalis::dbtool
