// new_game_test.cpp: the generator, the warm-up count and the drawing of a secret.
#include <deque>
#include <engine/new_game.h>
#include <gtest/gtest.h>

using namespace tintwise::engine;

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

// The fuzz target checks the rule on any text; these are the cases a reader looks for.
TEST(WarmUpCount, readsSecondsOr24HourMinutesAndFallsBackWhenNoNumber)
{
    EXPECT_EQ(warmUpCount("2:05:37 PM", 9), 37);
    EXPECT_EQ(warmUpCount("14:05:37", 9), 5);
    EXPECT_EQ(warmUpCount("", 9), 9);            // no text at all
    EXPECT_EQ(warmUpCount("14h 05m 37s", 9), 9); // "m " is no number
    // Characters, not bytes: the five end characters of a multi-byte locale text.
    EXPECT_EQ(warmUpCount("\u4e0b\u53482:05:37", 9), 5);
    EXPECT_EQ(warmUpCount("2:05:37 \u5348\u5f8c", 9), 37);
}

TEST(DrawSecretIndices, keepsTheLastOfWarmUpPlusOnePassesAndRedrawsWholePassesOnAnyRepeat)
{
    std::deque<int> script; // the index each draw gives out of 11, used up in turn
    auto next = [&] {
        const double value = (script.at(0) + 0.5) / 11;
        script.pop_front();
        return value;
    };
    for (int warmUp : {0, 1, 59}) {
        for (int p = 0; p <= warmUp; ++p) {
            script.insert(script.end(), {p % 8, 8, 9, 10}); // four different in every pass
        }
        EXPECT_EQ(drawSecretIndices(warmUp, 11, next), (std::array{warmUp % 8, 8, 9, 10}));
        EXPECT_TRUE(script.empty()) << warmUp;
    }
    script = {2, 5, 2, 6, 0, 1, 2, 3}; // the first pass repeats 2: all four are drawn again
    EXPECT_EQ(drawSecretIndices(0, 11, next), (std::array{0, 1, 2, 3}));
}
