// new_game_test.cpp: the generator, the warm-up count and the drawing of a secret.
#include <engine/new_game.h>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace tintwise::engine {
namespace {

TEST(RandomGenerator, startsEveryRunWithTheSameValuesWithinZeroToOne)
{
    // The first values are fixed by the engine's standard state; a change of algorithm or of
    // the bit mapping would show here and change every player's first secret.
    RandomGenerator rnd;
    EXPECT_DOUBLE_EQ(rnd.next(), 0.7868209548678019);
    EXPECT_DOUBLE_EQ(rnd.next(), 0.2504803406880286);
    // The largest value below 1 still draws the level's last index.
    EXPECT_EQ(drawIndex(1.0 - 0x1.0p-53, 15), 14);
}

TEST(WarmUpCount, readsSecondsOr24HourMinutesAndFallsBackWhenNoNumber)
{
    EXPECT_EQ(warmUpCount("2:05:37 PM", 9), 37);
    EXPECT_EQ(warmUpCount("14:05:37", 9), 5);
    EXPECT_EQ(warmUpCount("00:59:00", 9), 59);
    EXPECT_EQ(warmUpCount("7:00", 9), 7);        // "7:" reads as 7
    EXPECT_EQ(warmUpCount("", 9), 9);            // no text at all
    EXPECT_EQ(warmUpCount("14h 05m 37s", 9), 9); // "m " is no number
    EXPECT_EQ(warmUpCount("-1:00", 9), 9);       // a sign is not taken
    // Characters, not bytes: the five end characters of a multi-byte locale text.
    EXPECT_EQ(warmUpCount("\u4e0b\u5348"
                          "2:05:37",
                          9),
              5);
    EXPECT_EQ(warmUpCount("2:05:37 \u5348\u5f8c", 9), 37);
    EXPECT_EQ(warmUpCount("\u5348\u5f8c\u5348\u5f8c\u5348", 9), 9);
}

// Hands out scripted values in turn and counts the draws.
struct Script
{
    std::vector<double> values;
    std::size_t used = 0;
    double operator()() { return values.at(used++); }
};

double at(int index, int dif) { return (index + 0.5) / dif; }

TEST(DrawSecretIndices, makesWarmUpPlusOnePassesOfFourDraws)
{
    for (int warmUp : {0, 1, 59}) {
        Script script;
        for (int p = 0; p <= warmUp; ++p) {
            for (int i : {3, 1, 4, 0}) {
                script.values.push_back(at((i + p) % 11, 11));
            }
        }
        const auto idx = drawSecretIndices(warmUp, 11, script);
        EXPECT_EQ(script.used, static_cast<std::size_t>(4 * (warmUp + 1))) << warmUp;
        // Only the last pass counts.
        const std::array<int, 4> last{(3 + warmUp) % 11, (1 + warmUp) % 11, (4 + warmUp) % 11,
                                      warmUp % 11};
        EXPECT_EQ(idx, last);
    }
}

TEST(DrawSecretIndices, redrawsAllFourWhenAnyTwoCollide)
{
    Script script{{at(2, 7), at(5, 7), at(2, 7), at(6, 7), // i1 = i3
                   at(0, 7), at(1, 7), at(2, 7), at(3, 7)}};
    EXPECT_EQ(drawSecretIndices(0, 7, script), (std::array<int, 4>{0, 1, 2, 3}));
    EXPECT_EQ(script.used, 8u);
}

TEST(DrawSecretIndices, alwaysGivesFourDifferentIndicesBelowTheColourCount)
{
    RandomGenerator rnd;
    for (int dif : {7, 11, 15}) {
        std::set<int> seen;
        for (int game = 0; game < 2000; ++game) {
            const auto idx = drawSecretIndices(game % 60, dif, [&] { return rnd.next(); });
            EXPECT_EQ(std::set<int>(idx.begin(), idx.end()).size(), 4u);
            seen.insert(idx.begin(), idx.end());
        }
        // Every colour of the level turns up, and none beyond it.
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(dif));
        EXPECT_EQ(*seen.rbegin(), dif - 1);
    }
}

} // namespace
} // namespace tintwise::engine
