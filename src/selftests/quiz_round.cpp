#include "selftests/quiz_round.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace orvalis {

int ProgramRandomBelow(int n) {
    // Values at or above the largest multiple of n would favour the small results; draw again instead.
    const long range = static_cast<long>(RAND_MAX) + 1;
    const long limit = range - range % n;
    long value;
    do
        value = std::rand();
    while (value >= limit);
    return static_cast<int>(value % n);
}

int32_t DrawQuestionNumber(const std::array<int32_t, QuizRoundLength>& asked, const TRandomBelow& random) {
    int32_t n = 0;
    while (n <= 0 || std::find(asked.begin(), asked.end(), n) != asked.end())
        n = random(QuizPoolSize) + 1;
    return n;
}

int QuizScore(int correct) {
    // Kept apart so that the compiler evaluates the constants as the formula states them, each rounded
    // to extended precision on its own.
    const long double third = 1.0L / 3;
    const long double twoThirds = 2.0L / 3;
    const long double score = (static_cast<long double>(correct) / 12 - third) / twoThirds * 10;
    const long double rounded = std::nearbyint(score);
    return rounded < 0 ? 0 : static_cast<int>(rounded);
}

int RightAlternative(const std::vector<std::string>& lines) {
    if (lines.size() < 7)
        return 0;
    // Leading blanks are allowed, as in any number the system reads; anything after the digits is not.
    const std::string& line = lines[6];
    const char* begin = line.data() + std::min(line.find_first_not_of(' '), line.size());
    const char* last = line.data() + line.size();
    int value = 0;
    const auto [end, error] = std::from_chars(begin, last, value);
    if (error != std::errc() || end != last || value < 1 || value > 3)
        return 0;
    return value;
}

} // namespace orvalis
