// game_board.h: the state of one game as the values of the main window's board elements.
#pragma once

#include "palette.h"

#include <array>
#include <string>

namespace tintwise::engine {

inline constexpr int kCodeLength = 4;
inline constexpr int kHistoryRows = 9;

using Code = std::array<ColourValue, kCodeLength>;

// Secret cells T1..T4. The four are always shown or hidden together, so one flag serves; a
// game is in progress exactly while it is hidden.
struct SecretCode
{
    Code cells{kWhite, kWhite, kWhite, kWhite};
    bool shown = false;
};

// The active row TA1..TA4 with its feedback boxes TxtRight and TxtOop (always shown).
struct GuessRow
{
    Code cells{kWhite, kWhite, kWhite, kWhite};
    std::string TxtRight;
    std::string TxtOop;
};

// One history row (One..Nine): four cells, OneC (correct count), OneOop (out of place) and
// one shown flag for all six elements, which tells whether the row is in use.
struct HistoryRow
{
    Code cells{kWhite, kWhite, kWhite, kWhite};
    std::string correct;
    std::string outOfPlace;
    bool shown = false;
};

// The row words, for names such as "One1" or "NineOop".
inline constexpr std::array<const char*, kHistoryRows> kHistoryRowNames = {
    "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine"};

struct GameBoard
{
    SecretCode secret;                         // T1..T4
    GuessRow guess;                            // TA1..TA4, TxtRight, TxtOop
    std::array<HistoryRow, kHistoryRows> rows; // One..Nine

    // Rows come into use from One to Nine, so the rows in use are the first hidden one's index.
    int rowsInUse() const
    {
        int n = 0;
        while (n < kHistoryRows && rows[static_cast<std::size_t>(n)].shown) {
            ++n;
        }
        return n;
    }

    bool inProgress() const { return !secret.shown; }
};

} // namespace tintwise::engine
