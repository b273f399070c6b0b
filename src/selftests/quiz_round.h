#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvalis {

// A round's questions; each question draws from a pool numbered 1 to QuizPoolSize.
inline constexpr int QuizRoundLength = 12;
inline constexpr int QuizPoolSize = 150;

// A uniformly random integer 0 ... n - 1 for n > 0.
using TRandomBelow = std::function<int(int n)>;

// Draws from the program-wide generator (std::rand, seeded once at start-up), without the bias of a
// plain remainder.
int ProgramRandomBelow(int n);

// A question number 1 ... QuizPoolSize that is none of the non-zero entries of `asked`.
int32_t DrawQuestionNumber(const std::array<int32_t, QuizRoundLength>& asked, const TRandomBelow& random);

// The round's score 0 ... 10 for `correct` right answers out of the full round: the share of right answers
// above chance (a third), scaled to 10 and rounded halves to even, negative results made 0. The arithmetic
// is in extended precision, whose rounding the score table follows (double precision would give 3 for 6
// right answers and 8 for 10).
int QuizScore(int correct);

// The right alternative a question's lines name on line 7: 1, 2 or 3; 0 when the question has fewer than
// seven lines or line 7 is anything else.
int RightAlternative(const std::vector<std::string>& lines);

} // namespace orvalis
