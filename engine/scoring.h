// scoring.h: the two counts that answer a guess.
#pragma once

#include "game_board.h"

namespace tintwise::engine {

struct Feedback
{
    int correct = 0;    // right colour in the right cell
    int outOfPlace = 0; // right colour in another cell
    friend bool operator==(const Feedback&, const Feedback&) = default;
};

// Correct counts the cells equal to the secret cell of the same number. Out of Place is the
// number of distinct secret colours found anywhere in the guess, less Correct: what the rules
// promise the player, so a colour repeated in the guess is never counted twice.
constexpr Feedback score(const Code& secret, const Code& guess)
{
    int correct = 0;
    int present = 0;
    for (int i = 0; i < kCodeLength; ++i) {
        const auto ui = static_cast<std::size_t>(i);
        if (guess[ui] == secret[ui]) {
            ++correct;
        }
        bool seenBefore = false;
        for (int j = 0; j < i; ++j) {
            seenBefore = seenBefore || secret[static_cast<std::size_t>(j)] == secret[ui];
        }
        if (seenBefore) {
            continue;
        }
        for (ColourValue g : guess) {
            if (g == secret[ui]) {
                ++present;
                break;
            }
        }
    }
    // A secret always holds four different colours; the floor only guards hand-made input.
    const int outOfPlace = present > correct ? present - correct : 0;
    return {correct, outOfPlace};
}

} // namespace tintwise::engine
