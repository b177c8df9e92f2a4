// main_form.cpp: the handlers of the main window, run on the plain-data board.
#include "main_form.h"

#include "scoring.h"

#include <cassert>
#include <records/fastest_time_store.h>
#include <string>

namespace tintwise::engine {

MainForm::MainForm(WindowEffects& window) : m_window(window) {}

void MainForm::Form_Load()
{
    m_Dif = kStartDif;
    for (int k = 0; k < kPaletteButtonCount; ++k) {
        m_window.setPaletteButtonVisible(k, paletteButtonShown(k, m_Dif));
    }
    CmdStart_Click();
}

void MainForm::mnuDifficulty_Click(int index)
{
    assert(index >= 0 && index < kLevelCount);
    for (int i = 0; i < kLevelCount; ++i) {
        m_window.setDifficultyChecked(i, false);
    }
    m_window.setDifficultyChecked(index, true);
    m_Dif = kLevels[static_cast<std::size_t>(index)].colourCount;
    for (int k = 0; k < kPaletteButtonCount; ++k) {
        m_window.setPaletteButtonVisible(k, paletteButtonShown(k, m_Dif));
    }
    CmdStart_Click();
}

void MainForm::CmdStart_Click()
{
    m_board.secret.cells.fill(kWhite);
    m_board.guess.cells.fill(kWhite);
    m_board.guess.TxtRight.clear();
    m_board.guess.TxtOop.clear();
    for (HistoryRow& row : m_board.rows) {
        row.cells.fill(kWhite);
        row.correct.clear();
        row.outOfPlace.clear();
        row.shown = false;
    }
    m_board.secret.shown = false;

    const int warmUp = warmUpCount(m_window.timeOfDay(), currentSeconds());
    const auto indices = drawSecretIndices(warmUp, m_Dif, [this] { return m_rnd.next(); });
    for (int i = 0; i < kCodeLength; ++i) {
        m_board.secret.cells[static_cast<std::size_t>(i)] =
            QBColor(indices[static_cast<std::size_t>(i)]);
    }
}

void MainForm::CmdCorrect_Click()
{
    // Only a game in play can be won: once the secret shows, a guess that copies it is
    // scored like any other and records nothing.
    if (m_board.inProgress() && m_board.guess.cells == m_board.secret.cells) {
        winSequence();
    }

    const Feedback counts = score(m_board.secret.cells, m_board.guess.cells);
    m_board.guess.TxtRight = std::to_string(counts.correct);
    m_board.guess.TxtOop = std::to_string(counts.outOfPlace);

    if (m_board.inProgress()) {
        MoveToHistory();
    }
}

void MainForm::winSequence()
{
    m_board.secret.shown = true;
    m_Speed = static_cast<std::int16_t>(m_board.rowsInUse() + 1);

    const LevelInfo* level = levelOfColourCount(m_Dif);
    if (level == nullptr) {
        return;
    }
    const auto showWinner = [this] {
        m_window.showMessage("Winner!", "Congratulations!  You Win!  To Play Again, Push Start.");
    };
    if (!readRecord(level->key)) {
        // Nothing beats a record that could not be read: say why this win was not kept.
        showWinner();
        m_window.showMessage(records::kAppTitle, records::kReadFailedText);
        return;
    }
    if (m_Speed >= m_F) {
        showWinner();
        return;
    }
    m_Best = std::to_string(m_Speed);
    // Written before any box: a box can stay open until the session ends, and the record it
    // announces must be on disk by then. Only a count that still beats the file is written,
    // since another copy of the game may have saved a better one since the read.
    const records::FastestTimeStore store(m_window.programDirectory());
    const records::WriteOutcome outcome = store.writeRecord(level->key, m_Speed);
    if (outcome == records::WriteOutcome::KeptStored) {
        showWinner();
        return;
    }
    std::string text(level->newRecordText);
    text += m_Best;
    m_window.showMessage("Fastest Time", text);
    if (outcome == records::WriteOutcome::Failed) {
        m_window.showMessage(records::kAppTitle, records::kSaveFailedText);
    }
}

bool MainForm::readRecord(std::string_view key)
{
    // Each win reads its own level: a failed read must not leave another level's line behind.
    m_Best.clear();
    const records::FastestTimeStore store(m_window.programDirectory());
    std::optional<std::string> line = store.readRecordLine(key);
    if (line) {
        m_Best = std::move(*line);
    }
    // The line is at most a few kilobytes, so its length always fits.
    m_Length = static_cast<std::int16_t>(m_Best.size());
    m_Fast = m_Best.size() < 2 ? std::string() : m_Best.substr(1);
    m_F = records::storedCount(m_Best);
    return line.has_value();
}

void MainForm::MoveToHistory()
{
    const int next = m_board.rowsInUse();
    if (next < kHistoryRows) {
        HistoryRow& row = m_board.rows[static_cast<std::size_t>(next)];
        row.shown = true;
        row.cells = m_board.guess.cells;
        row.correct = m_board.guess.TxtRight;
        row.outOfPlace = m_board.guess.TxtOop;
        m_board.guess.cells.fill(kWhite);
        m_board.guess.TxtRight.clear();
        m_board.guess.TxtOop.clear();
        m_window.setFocus(FocusTarget::TA1);
        return;
    }
    m_board.secret.shown = true;
    m_window.showMessage("Game Over!", "Sorry, You Lose!  To Play Again, Push Start.");
    m_window.setFocus(FocusTarget::CmdStart);
}

void MainForm::Cmd_Click(int k)
{
    assert(k >= 0 && k < kPaletteButtonCount);
    m_CurrentColour = QBColor(k);
    m_window.setCursorColour(k);
}

void MainForm::TA_Click(int n)
{
    assert(n >= 1 && n <= kCodeLength);
    m_board.guess.cells[static_cast<std::size_t>(n - 1)] = m_CurrentColour.value_or(kBlack);
}

void MainForm::showFastest(std::string_view key)
{
    const records::FastestTimeStore store(m_window.programDirectory());
    const records::Message box = store.view(key);
    m_window.showMessage(box.title, box.text);
}

void MainForm::mnuReset_Click()
{
    const records::FastestTimeStore store(m_window.programDirectory());
    if (!store.reset()) {
        m_window.showMessage(records::kAppTitle, records::kResetFailedText);
    }
}

} // namespace tintwise::engine
