#include "orvalis-db/text_files.h"

#include <gtest/gtest.h>

namespace orvalis::dbtool {
namespace {

TEST(ConvertTextFile, CrLfAndWindows1252) {
    std::vector<TSourceError> errors;
    EXPECT_EQ(ConvertTextFile({"h.txt", "\xEF\xBB\xBF\xC3\xA9\xC3\xA9n\nregel\r\n\nslot"}, errors),
              "\xE9\xE9n\r\nregel\r\n\r\nslot");
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(ConvertTextFile({"h.txt", "a\n"}, errors), "a\r\n");
    ConvertTextFile({"h.txt", "ok\n\xE2\x9C\x93 klaar\n"}, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Line, 2);
}

TEST(ReadSections, FirstOccurrenceAndExactHeaders) {
    const auto sections = ReadSections("voor\r\n[a]\r\n1\r\n\r\n[a ]\r\nx\r\n[b]\r\n2\r\n[a]\r\n3");
    ASSERT_EQ(sections.count("a"), 1u);
    EXPECT_EQ(sections.at("a").Lines, (std::vector<std::string>{"1", ""}));
    EXPECT_EQ(sections.at("b").Lines, (std::vector<std::string>{"2"}));
    EXPECT_EQ(sections.count("a "), 1u); // a trailing space makes another name
}

std::string Question(int n, const std::string& right, bool explanation = true) {
    std::string q = "[Q" + std::to_string(n) + "]\r\nVraag?\r\n\r\nEen\r\nTwee\r\nDrie\r\n[A" +
                    std::to_string(n) + "]\r\n\r\n" + right;
    if (explanation)
        q += "\r\nOmdat het zo is.";
    return q + "\r\n";
}

TEST(CheckQuizFile, EveryQuestionWellFormed) {
    std::string quiz;
    for (int n = 1; n <= 150; ++n)
        quiz += Question(n, std::to_string(1 + n % 3));
    EXPECT_TRUE(CheckQuizFile("q", quiz).empty());

    std::string broken;
    for (int n = 1; n <= 150; ++n) {
        if (n == 7)
            continue; // missing
        broken += Question(n, n == 8 ? "4" : "1", n != 9);
    }
    broken += "[Q10]\r\n" + std::string(300, 'x') + "\r\n";
    const auto errors = CheckQuizFile("q", broken);
    std::vector<std::string> messages;
    for (const auto& e : errors)
        messages.push_back(e.Message);
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "question 7 lacks its [Q7] or [A7] section",
                            "question 8: line 7 must be the right alternative, 1, 2 or 3",
                            "question 9 has no explanation",
                        }));
}

TEST(CheckBmiFile, SixSections) {
    std::string bmi = "[start]\r\nx\r\n[ondergewicht]\r\nx\r\n[normaalgewicht]\r\nx\r\n[overgewicht]\r\nx\r\n"
                      "[obestias]\r\nx\r\n[mobide obestias]\r\nx\r\n";
    EXPECT_TRUE(CheckBmiFile("b", bmi).empty());
    bmi.replace(bmi.find("[obestias]"), 10, "[obesitas]");
    ASSERT_EQ(CheckBmiFile("b", bmi).size(), 1u);
    EXPECT_EQ(CheckBmiFile("b", bmi)[0].Message, "the section [obestias] is missing or empty");
}

} // namespace
} // namespace orvalis::dbtool
