// announcements.cpp: the texts a screen reader speaks after a guess, a paint and a pick.
#include "announcements.h"

#include "main_window.h"

#include <cstdio>

namespace tintwise::layout {

namespace {

// The counts of the guess scored last: in the guess row while they stay there (the game ended,
// or it is scored again after its end), else in the history row it moved to. Empty before any.
std::string countsText(const engine::GameBoard& board)
{
    int number = board.rowsInUse() + 1;
    const std::string* correct = &board.guess.TxtRight;
    const std::string* outOfPlace = &board.guess.TxtOop;
    if (correct->empty() && number > 1) {
        --number;
        const engine::HistoryRow& row = board.rows[static_cast<std::size_t>(number - 1)];
        correct = &row.correct;
        outOfPlace = &row.outOfPlace;
    }
    if (correct->empty()) {
        return {};
    }
    // The count boxes' own names, which are also the headings of their columns.
    return "Guess " + std::to_string(number) + ": " + *correct + " " +
           frmMain().control("TxtRight").accessibleName + ", " + *outOfPlace + " " +
           frmMain().control("TxtOop").accessibleName;
}

std::string secretText(const engine::SecretCode& secret)
{
    std::string text;
    const char* separator = "Secret: ";
    for (engine::ColourValue cell : secret.cells) {
        text += separator + colourText(cell);
        separator = ", ";
    }
    return text;
}

std::string joined(const std::string& first, const std::string& second)
{
    return first.empty() || second.empty() ? first + second : first + ". " + second;
}

} // namespace

std::string colourText(engine::ColourValue value)
{
    if (value == engine::kWhite) {
        return std::string(kEmptyCellText);
    }
    const engine::ColourIndex index = engine::colourIndexOf(value);
    if (index >= 0) {
        return std::string(engine::colourName(index));
    }
    // Never drawn by the game; named the way the web names colours rather than left silent.
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", engine::redOf(value), engine::greenOf(value),
                  engine::blueOf(value));
    return hex;
}

std::string paintedText(int n, engine::ColourValue value)
{
    return frmMain().control(guessCellName(n)).accessibleName + ": " + colourText(value);
}

std::string pickedText(engine::ColourIndex k) { return "Picked " + colourText(engine::QBColor(k)); }

void Narration::scoring()
{
    m_scoring = true;
    m_countsSaid = false;
    m_secretSaid = false;
}

std::string Narration::boxOpened(const engine::GameBoard& board)
{
    // Boxes outside a click of "Correct?" (the fastest times) say all there is to say.
    if (!m_scoring || !board.secret.shown || m_secretSaid) {
        return {};
    }
    // A lost guess's counts are on the board already; a winning guess, the guess row holding the
    // secret, is scored only after the box.
    std::string counts =
        board.guess.cells == board.secret.cells ? std::string() : countsText(board);
    m_countsSaid = !counts.empty();
    m_secretSaid = true;
    return joined(counts, secretText(board.secret));
}

std::string Narration::scored(const engine::GameBoard& board)
{
    std::string text =
        joined(m_countsSaid ? std::string() : countsText(board),
               board.secret.shown && !m_secretSaid ? secretText(board.secret) : std::string());
    m_scoring = false;
    return text;
}

} // namespace tintwise::layout
