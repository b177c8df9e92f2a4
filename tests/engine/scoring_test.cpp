// scoring_test.cpp: the Correct and Out of Place counts for the shapes of guess that matter.
#include <engine/scoring.h>
#include <gtest/gtest.h>
#include <tuple>

using namespace tintwise::engine;

TEST(Score, countsEachSecretColourOnceWhateverTheShapeOfTheGuess)
{
    // Secret P Q R S; X and Y are not in it; W is an unset (white) cell. Cells are only ever
    // compared, so any six different values serve as colours. In two pairs of secret colours,
    // each colour is present once.
    constexpr ColourValue P = 1, Q = 2, R = 3, S = 4, X = 5, Y = 6, W = kWhite;
    using Shape = std::tuple<const char*, Code, Feedback>;
    for (const auto& [name, guess, expected] :
         {Shape{"win", {P, Q, R, S}, {4, 0}}, Shape{"allPresentNoneInPlace", {Q, P, S, R}, {0, 4}},
          Shape{"twoSwapped", {P, Q, S, R}, {2, 2}},
          Shape{"pairWithOneInPlace", {P, P, X, Y}, {1, 0}},
          Shape{"pairNoneInPlace", {Q, X, Q, Y}, {0, 1}},
          Shape{"fourEqualOneInPlace", {P, P, P, P}, {1, 0}},
          Shape{"notInSecret", {X, X, X, X}, {0, 0}},
          Shape{"twoPairsOneInPlace", {P, P, Q, Q}, {1, 1}},
          Shape{"twoPairsBothInPlace", {P, Q, P, Q}, {2, 0}},
          Shape{"whiteMatchesNothing", {P, W, W, W}, {1, 0}},
          Shape{"allWhite", {W, W, W, W}, {0, 0}}}) {
        EXPECT_EQ(score({P, Q, R, S}, guess), expected) << name;
    }
}
