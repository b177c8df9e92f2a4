// announcements.h: what a screen reader is told as the game goes on, free of any toolkit, so
// that every front end speaks the same words at the same moments.
#pragma once

#include <engine/game_board.h>
#include <engine/palette.h>
#include <string>

namespace tintwise::layout {

// A cell's colour as a screen reader reads it: the palette's name, kEmptyCellText for white.
std::string colourText(engine::ColourValue value);

// After painting guess cell n (1..4): "Guess cell 2: Blue".
std::string paintedText(int n, engine::ColourValue value);

// After picking palette colour k: "Picked Light Red".
std::string pickedText(engine::ColourIndex k);

// The results of "Correct?": the guess's number and its counts as the board shows them ("Guess
// 3: 1 Correct, 2 Out of Place"), and the secret's colours once it is shown ("Secret: Red, Blue,
// Green, Yellow"). A box that ends the game is read first, so what the board behind it shows is
// said right after the box, and the rest, such as a winning guess's counts, once it is closed;
// nothing is said twice.
class Narration
{
public:
    // Before the click is handled.
    void scoring();

    // When a message box opens during the click; empty when the box adds nothing.
    std::string boxOpened(const engine::GameBoard& board);

    // After the click: what has not been said yet.
    std::string scored(const engine::GameBoard& board);

private:
    bool m_scoring = false;
    bool m_countsSaid = false;
    bool m_secretSaid = false;
};

} // namespace tintwise::layout
