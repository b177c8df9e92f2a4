// scoring_test.cpp: the Correct and Out of Place counts for the shapes of guess that matter.
#include <engine/palette.h>
#include <engine/scoring.h>
#include <gtest/gtest.h>

namespace tintwise::engine {
namespace {

// Secret P Q R S; X and Y are not in it; W is an unset (white) cell.
constexpr ColourValue P = QBColor(1), Q = QBColor(2), R = QBColor(3), S = QBColor(4);
constexpr ColourValue X = QBColor(5), Y = QBColor(6), W = kWhite;
constexpr Code kSecret{P, Q, R, S};

struct Row
{
    const char* name;
    Code guess;
    Feedback expected;
};

class ScoreTable : public ::testing::TestWithParam<Row>
{
};

TEST_P(ScoreTable, countsEachSecretColourOnce)
{
    EXPECT_EQ(score(kSecret, GetParam().guess), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    GuessShapes, ScoreTable,
    ::testing::Values(Row{"win", {P, Q, R, S}, {4, 0}},
                      Row{"allPresentNoneInPlace", {Q, P, S, R}, {0, 4}},
                      Row{"pairWithOneInPlace", {P, P, X, Y}, {1, 0}},
                      Row{"pairNoneInPlace", {Q, X, Q, Y}, {0, 1}},
                      Row{"tripleWithOneInPlace", {P, P, P, X}, {1, 0}},
                      Row{"tripleNoneInPlace", {S, S, S, X}, {0, 1}},
                      Row{"fourEqualOneInPlace", {P, P, P, P}, {1, 0}},
                      Row{"fourEqualNotInSecret", {X, X, X, X}, {0, 0}},
                      // Two pairs of secret colours: each colour is present once.
                      Row{"twoPairsOneInPlace", {P, P, Q, Q}, {1, 1}},
                      Row{"twoPairsBothInPlace", {P, Q, P, Q}, {2, 0}},
                      Row{"whiteMatchesNothing", {P, W, W, W}, {1, 0}},
                      Row{"allWhite", {W, W, W, W}, {0, 0}}, Row{"rotation", {S, P, Q, R}, {0, 4}},
                      Row{"twoSwapped", {P, Q, S, R}, {2, 2}}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tintwise::engine
