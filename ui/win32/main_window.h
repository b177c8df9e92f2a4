// main_window.h: frmMain on Windows, the window in which the game is played.
#pragma once

#include "announcer.h"
#include "artwork.h"
#include "board_box.h"
#include "form.h"

#include <array>
#include <engine/game_board.h>
#include <engine/main_form.h>
#include <engine/window_effects.h>
#include <functional>
#include <map>
#include <ui/layout/announcements.h>

namespace tintwise::win32 {

// Owns the game (engine::MainForm) and only draws it: every control's handler runs the form's
// handler of the same name and then redraws the board. The effects the form asks for beyond the
// board (message boxes, focus, palette, check marks, cursor) are carried out here.
class MainWindow final : public Form, private engine::WindowEffects
{
public:
    static constexpr const wchar_t* kClassName = L"TintwiseMain";

    // Creates the window, hidden, and runs its load handler. howToPlay shows the about window.
    MainWindow(HINSTANCE instance, std::function<void()> howToPlay);

    // The accelerators Ctrl+S, Ctrl+X and Ctrl+H, for keys meant for this window.
    bool translateAccelerator(MSG& message) const;

private:
    struct HistoryRowBoxes
    {
        std::array<BoardBox, engine::kCodeLength> cells;
        BoardBox correct;
        BoardBox outOfPlace;
    };

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onLayout() override;
    void wireControls();
    void createMenu();
    void fitLabels();
    void refreshBoard();
    void applyCursor();

    // The handlers of frmMain that the window adds to. The menu entries that the game alone
    // answers run its handler straight from the table (layout::MenuEntry::formClick).
    void Form_Load();
    [[noreturn]] void Form_QueryUnload();
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
    std::function<void()> m_howToPlay;
    Announcer m_announcer;
    layout::Narration m_narration; // what a screen reader is told of each guess

    HWND m_CmdStart = nullptr;
    std::array<HWND, engine::kPaletteButtonCount> m_Cmd{};
    std::array<BoardBox, engine::kCodeLength> m_T;
    std::array<BoardBox, engine::kCodeLength> m_TA;
    BoardBox m_TxtRight;
    BoardBox m_TxtOop;
    std::array<HistoryRowBoxes, engine::kHistoryRows> m_rows;
    std::map<HWND, BoardBox*> m_boxes; // every box above

    HMENU m_menu = nullptr;
    std::array<int, engine::kLevelCount> m_mnuDifficulty{}; // command IDs
    UniqueAccelerators m_accelerators;
    std::map<int, std::function<void()>> m_commands; // by control or menu ID
    HWND m_toolTips = nullptr;

    DiscCursors m_imlCursors;
    UniqueCursor m_cursor;
    engine::ColourIndex m_cursorColour = 0; // the black disc until the first pick
    UniqueIcon m_bigIcon;
    UniqueIcon m_smallIcon;
};

} // namespace tintwise::win32
