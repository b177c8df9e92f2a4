// main_window.h: frmMain's window, controls and menus, and the names of its control families.
#pragma once

#include "controls.h"

#include <string>
#include <vector>

namespace tintwise::layout {

// The main window with every control, in focus order: CmdStart, CmdCorrect and Command1, the
// palette Cmd0..Cmd14, the guess row TA1..TA4 with TxtRight and TxtOop, the secret T1..T4, the
// history rows One..Nine (cells, then C, then Oop), the headings Label1 and Label2, and Line1.
const WindowLayout& frmMain();

// The names of the board's families; numbers count from 1 as the names do (TA1), rows and
// palette buttons from 0 (row 0 is One).
std::string paletteButtonName(int k);          // "Cmd7"
std::string guessCellName(int n);              // "TA2"
std::string secretCellName(int n);             // "T3"
std::string historyCellName(int row, int n);   // "One4"
std::string historyCorrectName(int row);       // "OneC"
std::string historyOutOfPlaceName(int row);    // "OneOop"

// The text a board cell shows a screen reader for an unset (white) cell.
inline constexpr std::string_view kEmptyCellText = "Empty";

struct MenuEntry
{
    int id = 0;       // unique among the menus; the command's ID on Windows
    std::string name; // "mnuFileStart"; the three level entries share "mnuDifficulty"
    int index = -1;   // the entry's index within its control array (mnuDifficulty), else -1
    int depth = 0;    // 0 on the menu bar, 1 in its menu, 2 in a submenu
    std::string caption;   // with its "&" mnemonic; empty for a separator
    char shortcut = 0;     // the letter of its Ctrl shortcut ('S' for Ctrl+S), or 0
    bool separator = false;
    bool checked = false;  // at creation
};

// The menu bar of frmMain, depth first: each entry is followed by the entries of its menu.
const std::vector<MenuEntry>& mainMenu();

// The entry of that name (and index, for mnuDifficulty).
const MenuEntry& menuEntry(std::string_view name, int index = -1);

} // namespace tintwise::layout
