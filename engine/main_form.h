// main_form.h: the main window's state and procedures on plain data, free of any window system.
#pragma once

#include "game_board.h"
#include "levels.h"
#include "new_game.h"
#include "palette.h"
#include "window_effects.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintwise::engine {

// Owns the board, the level (Dif), the picked colour and the record variables for the life of
// the window, and runs the handlers of frmMain. Every effect beyond the board goes through the
// WindowEffects given at construction; a window redraws the board after each handler.
class MainForm
{
public:
    explicit MainForm(WindowEffects& window);

    // Load handler: the Intermediate level, its palette buttons, then the first game.
    void Form_Load();

    // A level entry (index 0, 1, 2): check mark, Dif, palette buttons, then a new game, even
    // when the level is the one in force.
    void mnuDifficulty_Click(int index);

    // New game: whitens and hides the board and draws a hidden secret.
    void CmdStart_Click();
    void mnuFileStart_Click() { CmdStart_Click(); }

    // Scores the guess row; wins, records and hands over to MoveToHistory while in play.
    void CmdCorrect_Click();

    // Palette button Cmd<k> (Cmd0_Click..Cmd14_Click): picks QBColor(k) and sets the cursor.
    void Cmd_Click(int k);

    // Active cell TA<n> (TA1_Click..TA4_Click, n = 1..4): paints it with CurrentColour.
    void TA_Click(int n);

    // File > View Fastest Times entries and File > Reset Fastest Times.
    void mnuFastestBeginner_Click() { showFastest("Begin"); }
    void mnuFastestInterm_Click() { showFastest("Interm"); }
    void mnuFastestAdvanced_Click() { showFastest("Advance"); }
    void mnuReset_Click();

    const GameBoard& board() const { return m_board; }
    std::int16_t Dif() const { return m_Dif; }

    // The picked colour; nullopt until the first pick, which paints as black.
    std::optional<ColourValue> CurrentColour() const { return m_CurrentColour; }

    // The record variables, kept from one click to the next.
    std::int16_t Speed() const { return m_Speed; }
    std::int16_t Length() const { return m_Length; }
    const std::string& Fast() const { return m_Fast; }
    std::int16_t F() const { return m_F; }
    const std::string& Best() const { return m_Best; }

private:
    void setLevel(int index);
    void winSequence();
    bool readRecord(std::string_view key); // false when no line could be read
    void MoveToHistory();
    void showFastest(std::string_view key);

    WindowEffects& m_window;
    GameBoard m_board;
    RandomGenerator m_rnd;
    std::optional<ColourValue> m_CurrentColour;

    std::int16_t m_Speed = 0;
    std::int16_t m_Length = 0;
    std::string m_Fast;
    std::int16_t m_F = 0;
    std::string m_Best;
    std::int16_t m_Dif = 0;
};

} // namespace tintwise::engine
