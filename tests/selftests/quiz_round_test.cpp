#include "selftests/quiz_round.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace orvalis {
namespace {

TEST(QuizScore, ReproducesTheRoundTableExactly) {
    // Right answers 0 ... 12; 6 and 10 fall on halves that only extended precision rounds this way.
    const int expected[] = {0, 0, 0, 0, 0, 1, 2, 4, 5, 6, 7, 9, 10};
    for (int correct = 0; correct <= 12; ++correct)
        EXPECT_EQ(QuizScore(correct), expected[correct]) << correct << " right";
}

// Plays rounds the way the page does: each question drawn against the numbers already asked.
std::array<int32_t, QuizRoundLength> DrawRound(const TRandomBelow& random) {
    std::array<int32_t, QuizRoundLength> asked{};
    for (int32_t& entry : asked)
        entry = DrawQuestionNumber(asked, random);
    return asked;
}

TEST(DrawQuestionNumber, RoundsOfTheProgramGeneratorHaveTwelveDistinctNumbersInRange) {
    std::set<int32_t> seen;
    for (unsigned start = 1; start <= 500; ++start) {
        std::srand(start);
        const auto round = DrawRound(ProgramRandomBelow);
        const std::set<int32_t> distinct(round.begin(), round.end());
        ASSERT_EQ(distinct.size(), size_t(QuizRoundLength)) << "start " << start;
        ASSERT_GE(*distinct.begin(), 1);
        ASSERT_LE(*distinct.rbegin(), QuizPoolSize);
        seen.insert(round.begin(), round.end());
    }
    EXPECT_EQ(seen.size(), size_t(QuizPoolSize)) << "every question turns up over many rounds";
}

TEST(DrawQuestionNumber, DrawsAgainUntilTheNumberIsNew) {
    // A generator stuck on the asked numbers first: 0 and 1 give the questions 1 and 2 already asked.
    int calls = 0;
    const TRandomBelow random = [&calls](int n) {
        EXPECT_EQ(n, QuizPoolSize);
        const int values[] = {0, 1, 0, 149};
        return values[std::min(calls++, 3)];
    };
    std::array<int32_t, QuizRoundLength> asked{};
    asked[0] = 1;
    asked[1] = 2;
    EXPECT_EQ(DrawQuestionNumber(asked, random), 150);
    EXPECT_EQ(calls, 4);
}

TEST(RightAlternative, OnlyASeventhLineOfOneToThreeNamesTheAnswer) {
    const std::vector<std::string> six{"v", "", "a", "b", "c", ""};
    EXPECT_EQ(RightAlternative(six), 0) << "six lines have no line 7";
    const struct {
        const char* Line7;
        int Expected;
    } cases[] = {{"1", 1},  {"2", 2},  {"3", 3},  {" 2", 2}, {"02", 2},   {"0", 0},          {"4", 0},
                 {"-1", 0}, {"2 ", 0}, {"2a", 0}, {"", 0},   {"twee", 0}, {"99999999999", 0}};
    for (const auto& c : cases) {
        std::vector<std::string> lines = six;
        lines.push_back(c.Line7);
        lines.push_back("uitleg");
        EXPECT_EQ(RightAlternative(lines), c.Expected) << '"' << c.Line7 << '"';
    }
}

} // namespace
} // namespace orvalis
