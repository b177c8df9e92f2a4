// mainwindow.h: frmMain, the window in which the game is played.
#pragma once

#include "board_cell.h"

#include <QMainWindow>
#include <array>
#include <engine/game_board.h>
#include <engine/main_form.h>
#include <engine/window_effects.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <ui/layout/announcements.h>

class QAction;
class QLabel;
class QPushButton;

namespace tintwise::ui {

class Announcer;

// Owns the game (engine::MainForm) and only draws it: every control handler runs the form's
// handler of the same name and then redraws the board. The effects the form asks for beyond
// the board (message boxes, focus, palette, check marks, cursor) are carried out here.
class MainWindow : public QMainWindow, private engine::WindowEffects
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // WindowEffects has a setFocus of its own; keep QWidget's callable on the window.
    using QMainWindow::setFocus;

    const engine::MainForm& form() const { return m_form; }
    const engine::GameBoard& board() const { return m_form.board(); }

    // Where the record files live; the executable's directory unless set, so tests can use
    // a directory of their own.
    void setProgramDirectory(std::filesystem::path directory);

    // What ending the program does; by default the process ends at once (endProgramNow).
    // Tests put in a probe so that the test program goes on.
    void setEndProgram(std::function<void()> endProgram);

signals:
    // Help > How To Play: the about window answers it.
    void howToPlayRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct HistoryRowWidgets
    {
        std::array<BoardCell*, engine::kCodeLength> cells{};
        BoardCell* correct = nullptr;
        BoardCell* outOfPlace = nullptr;
    };

    void createControls();
    void createActions();
    void applyCursor();
    void refreshBoard();

    // The handlers of frmMain that the window adds to. The menu entries that the game alone
    // answers run its handler straight from the table (layout::MenuEntry::formClick).
    void Form_Load();
    void Form_QueryUnload();
    void CmdStart_Click();
    void CmdCorrect_Click();
    void Command1_Click();
    void Cmd_Click(int k);
    void TA_Click(int n);
    void mnuFileExit_Click();
    void mnuHelpHowTo_Click();

    // engine::WindowEffects
    void setPaletteButtonVisible(int k, bool shown) override;
    void setDifficultyChecked(int index, bool checked) override;
    void showMessage(std::string_view title, std::string_view text) override;
    void setFocus(engine::FocusTarget target) override;
    void setCursorColour(engine::ColourIndex k) override;
    records::NativePath programDirectory() const override;
    std::string timeOfDay() const override;

    engine::MainForm m_form;

    QPushButton* m_CmdStart = nullptr;
    QPushButton* m_CmdCorrect = nullptr;
    QPushButton* m_Command1 = nullptr;
    std::array<QPushButton*, engine::kPaletteButtonCount> m_Cmd{};
    std::array<BoardCell*, engine::kCodeLength> m_T{};
    std::array<BoardCell*, engine::kCodeLength> m_TA{};
    BoardCell* m_TxtRight = nullptr;
    BoardCell* m_TxtOop = nullptr;
    std::array<HistoryRowWidgets, engine::kHistoryRows> m_rows{};
    std::array<QAction*, engine::kLevelCount> m_mnuDifficulty{};
    Announcer* m_announcer = nullptr; // what a screen reader says after a guess, paint or pick
    layout::Narration m_narration;

    engine::ColourIndex m_cursorColour = 0; // the black disc until the first pick
    std::optional<std::filesystem::path> m_programDirectory;
    std::function<void()> m_endProgram;
    bool m_centred = false;
    bool m_ending = false;
};

} // namespace tintwise::ui
