// main_window.h: frmMain's window, controls and menus, and the names of its control families.
#pragma once

#include "controls.h"

#include <functional>
#include <string>
#include <vector>

namespace tintwise::engine {
class MainForm;
}

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

// The disc cursors: 32 x 32 logical pixels, the hot spot at the disc's centre.
inline constexpr int kCursorSize = 32;
inline constexpr int kCursorHotSpot = kCursorSize / 2;

// Half the width of the disc on image row y (0..31): the opaque columns are 16 - w .. 15 + w,
// and 0 means the row is empty.
int discHalfWidth(int y);

// The side in device pixels of the disc image at `scale` device pixels per logical pixel; the
// hot spot is at half of it both ways.
int discImageSide(double scale);

// Whether device pixel (x, y) of that image is opaque. Each logical edge is rounded away from
// the centre alike on both sides, so the disc stays round and centred at fractional scales.
bool discCovers(int x, int y, double scale);

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
    // The game's handler of the entry, when the game alone answers it (every entry but Exit and
    // How To Play, which the window answers); the window redraws the board after it.
    std::function<void(engine::MainForm&)> formClick;
};

// The menu bar of frmMain, depth first: each entry is followed by the entries of its menu.
const std::vector<MenuEntry>& mainMenu();

// The entry of that name (and index, for mnuDifficulty).
const MenuEntry& menuEntry(std::string_view name, int index = -1);

} // namespace tintwise::layout
