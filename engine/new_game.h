// new_game.h: the random generator, the clock-driven warm-up and the drawing of a secret.
#pragma once

#include "game_board.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace tintwise::engine {

// Uniform values in [0, 1), never 1. It is never seeded: every run starts from the same fixed
// state, and the standard fixes mt19937_64's output for that state, so the sequence is the
// same on every platform and compiler. The top 53 bits make an exact double; a library
// distribution would differ between standard libraries and could round up to 1.
class RandomGenerator
{
public:
    double next() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 m_engine;
};

// One draw: floor(r * dif), an index 0..dif-1.
inline int drawIndex(double r, int dif)
{
    const int i = static_cast<int>(r * dif);
    return i < dif ? i : dif - 1; // r < 1 keeps i below dif; the guard only costs a compare
}

// The warm-up count from the time of day as text (UTF-8): the first two of its last five
// characters read as a number, which is the seconds for "2:05:37 PM" and the minutes for
// "14:05:37". When those two characters do not start with a digit, fallbackSeconds is used,
// so a game starts whatever the locale writes.
int warmUpCount(std::string_view timeOfDay, int fallbackSeconds);

// The seconds (0..59) of the current local time, for the warm-up fallback.
int currentSeconds();

// The current time of day in the user's locale format (strftime's %X). The process locale
// must have been taken from the environment first, as a Qt application does at start.
std::string localTimeOfDay();

// Draws four pairwise different indices below dif: warmUp + 1 passes of four draws, then
// whole passes again until the four differ. next() must give uniform values in [0, 1).
template <typename Next>
std::array<int, kCodeLength> drawSecretIndices(int warmUp, int dif, Next&& next)
{
    assert(dif >= kCodeLength); // fewer colours could never give four different ones
    std::array<int, kCodeLength> idx{};
    auto pass = [&] {
        for (int& i : idx) {
            i = drawIndex(next(), dif);
        }
    };
    for (int p = 0; p <= warmUp; ++p) {
        pass();
    }
    auto distinct = [&] {
        return idx[0] != idx[1] && idx[0] != idx[2] && idx[0] != idx[3] && idx[1] != idx[2] &&
               idx[1] != idx[3] && idx[2] != idx[3];
    };
    while (!distinct()) {
        pass();
    }
    return idx;
}

} // namespace tintwise::engine
