// main_window.cpp: frmMain's controls and menus as data.
#include "main_window.h"

#include <array>
#include <cassert>
#include <cmath>
#include <engine/game_board.h>
#include <engine/levels.h>
#include <engine/main_form.h>

namespace tintwise::layout {

namespace {

constexpr engine::ColourValue kBackground = 0xE0E0E0;
constexpr engine::ColourValue kHistoryCountBackground = 0xC0FFFF; // pale yellow

constexpr int kBoxSize = 375;
constexpr int kTallBoxHeight = 405; // TA1, TA2 and Nine1 reach a little lower
constexpr std::array<int, engine::kCodeLength> kCellLefts = {960, 1680, 2400, 3120};
constexpr int kCorrectLeft = 4080;
constexpr int kOutOfPlaceLeft = 4800;
constexpr int kSecretTop = 360;
constexpr int kActiveTop = 1200;

// History row One is at the bottom; each later row sits 600 twips higher.
constexpr int historyTop(int row) { return 6600 - 600 * row; }

std::string rowWord(int row)
{
    assert(row >= 0 && row < engine::kHistoryRows);
    return engine::kHistoryRowNames[static_cast<std::size_t>(row)];
}

// A family member's name. Appending, rather than "T" + std::to_string(n), also keeps GCC 12
// from a false -Wrestrict warning.
std::string numbered(std::string stem, int n)
{
    stem += std::to_string(n);
    return stem;
}

std::string historyRowText(int row) { return numbered("History row ", row + 1); }

WindowLayout makeMainWindow()
{
    WindowLayout w;
    w.name = "frmMain";
    w.caption = "Tintwise";
    w.clientWidth = 7350;
    w.clientHeight = 7065;
    w.background = kBackground;

    auto add = [&w](std::string name, Kind kind, TwipsRect twips) -> Control& {
        Control& c = w.controls.emplace_back();
        c.id = 100 + static_cast<int>(w.controls.size()) - 1;
        c.name = std::move(name);
        c.kind = kind;
        c.twips = twips;
        return c;
    };
    auto box = [&](std::string name, Kind kind, std::string spoken, int left, int top, int height,
                   bool shown) -> Control& {
        Control& c = add(std::move(name), kind, {left, top, kBoxSize, height});
        c.accessibleName = std::move(spoken);
        c.shown = shown;
        return c;
    };

    struct Command
    {
        const char* name;
        const char* caption;
        const char* toolTip;
        int top;
    };
    for (const Command& command : {Command{"CmdStart", "&Start", "Click to Start A New Game", 120},
                                   Command{"CmdCorrect", "&Correct?", "Click to See If You Win", 3240},
                                   Command{"Command1", "E&xit", "Click to Exit", 6480}}) {
        Control& c = add(command.name, Kind::CommandButton, {6000, command.top, 1215, 495});
        c.caption = command.caption;
        c.toolTip = command.toolTip;
    }

    // All hidden until the level shows its first 7, 11 or 15; neighbours overlap by 15 twips.
    for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
        Control& c = add(paletteButtonName(k), Kind::PaletteButton,
                         {120, 1200 + 360 * k, kBoxSize, kBoxSize});
        c.accessibleName = std::string(engine::colourName(k));
        c.background = engine::QBColor(k);
        c.shown = false;
    }

    for (int n = 1; n <= engine::kCodeLength; ++n) {
        box(guessCellName(n), Kind::Cell, numbered("Guess cell ", n),
            kCellLefts[std::size_t(n - 1)], kActiveTop, n <= 2 ? kTallBoxHeight : kBoxSize, true);
    }
    box("TxtRight", Kind::CountBox, "Correct", kCorrectLeft, kActiveTop, kBoxSize, true);
    box("TxtOop", Kind::CountBox, "Out of Place", kOutOfPlaceLeft, kActiveTop, kBoxSize, true);

    for (int n = 1; n <= engine::kCodeLength; ++n) {
        box(secretCellName(n), Kind::Cell, numbered("Secret cell ", n),
            kCellLefts[std::size_t(n - 1)], kSecretTop, kBoxSize, false);
    }

    for (int row = 0; row < engine::kHistoryRows; ++row) {
        const int top = historyTop(row);
        for (int n = 1; n <= engine::kCodeLength; ++n) {
            const bool tall = row == engine::kHistoryRows - 1 && n == 1; // Nine1
            box(historyCellName(row, n), Kind::Cell,
                numbered(historyRowText(row) + ", cell ", n), kCellLefts[std::size_t(n - 1)],
                top, tall ? kTallBoxHeight : kBoxSize, false);
        }
        box(historyCorrectName(row), Kind::CountBox, historyRowText(row) + ", Correct", kCorrectLeft,
            top, kBoxSize, false)
            .background = kHistoryCountBackground;
        box(historyOutOfPlaceName(row), Kind::CountBox, historyRowText(row) + ", Out of Place",
            kOutOfPlaceLeft, top, kBoxSize, false)
            .background = kHistoryCountBackground;
    }

    // The headings of the two count columns; both end at 1095, just above the active row.
    add("Label1", Kind::Label, {3960, 840, 615, 255}).caption = "Correct";
    Control& label2 = add("Label2", Kind::Label, {4800, 720, 615, 375});
    label2.caption = "Out of Place";
    label2.wordWrap = true;

    // A one-pixel rule under the menu bar in the frame colour, wider than the window.
    add("Line1", Kind::Line, {0, 0, 8280, kTwipsPerPixel});
    return w;
}

std::vector<MenuEntry> makeMainMenu()
{
    std::vector<MenuEntry> menu;
    auto add = [&menu](std::string name, int depth, std::string caption,
                       char shortcut = 0) -> MenuEntry& {
        MenuEntry& e = menu.emplace_back();
        e.id = 1000 + static_cast<int>(menu.size()) - 1;
        e.name = std::move(name);
        e.depth = depth;
        e.caption = std::move(caption);
        e.shortcut = shortcut;
        return e;
    };
    using engine::MainForm;
    auto answeredBy = [](void (MainForm::*handler)()) {
        return [handler](MainForm& form) { (form.*handler)(); };
    };
    add("mnuFileMenu", 0, "&File");
    add("mnuFileStart", 1, "&Start New Game", 'S').formClick =
        answeredBy(&MainForm::mnuFileStart_Click);
    add("mnuFileDifficulty", 1, "&Game Difficulty");
    for (const engine::LevelInfo& level : engine::kLevels) {
        MenuEntry& e = add("mnuDifficulty", 2, std::string(level.menuCaption));
        e.index = level.menuIndex;
        e.checked = level.colourCount == engine::kStartDif;
        e.formClick = [index = e.index](MainForm& form) { form.mnuDifficulty_Click(index); };
    }
    add("mnuFastest", 1, "&View Fastest Times");
    add("mnuFastestBeginner", 2, "B&eginner").formClick =
        answeredBy(&MainForm::mnuFastestBeginner_Click);
    add("mnuFastestInterm", 2, "I&ntermediate").formClick =
        answeredBy(&MainForm::mnuFastestInterm_Click);
    add("mnuFastestAdvanced", 2, "A&dvanced").formClick =
        answeredBy(&MainForm::mnuFastestAdvanced_Click);
    add("mnuReset", 1, "&Reset Fastest Times").formClick = answeredBy(&MainForm::mnuReset_Click);
    add("mnuFilebar1", 1, "").separator = true;
    add("mnuFileExit", 1, "E&xit", 'X');
    add("mnuHelpMenu", 0, "&Help");
    add("mnuHelpHowTo", 1, "How To &Play", 'H');
    return menu;
}

// Rows 0..15 of the disc; the lower half mirrors them.
constexpr std::array<int, kCursorSize / 2> kDiscUpperHalfWidths = {0,  0,  0,  1,  5,  7,  8,  9,
                                                                   10, 11, 11, 12, 12, 12, 12, 13};

// The device pixel at which logical coordinate `logical` of the disc image starts.
int discDevice(int logical, double scale)
{
    const int centre = static_cast<int>(std::lround(kCursorHotSpot * scale));
    return centre + static_cast<int>(std::lround((logical - kCursorHotSpot) * scale));
}

} // namespace

int discHalfWidth(int y)
{
    assert(y >= 0 && y < kCursorSize);
    const int upper = y < kCursorSize / 2 ? y : kCursorSize - 1 - y;
    return kDiscUpperHalfWidths[static_cast<std::size_t>(upper)];
}

int discImageSide(double scale) { return 2 * discDevice(kCursorHotSpot, scale); }

bool discCovers(int x, int y, double scale)
{
    for (int row = 0; row < kCursorSize; ++row) {
        if (y >= discDevice(row, scale) && y < discDevice(row + 1, scale)) {
            const int w = discHalfWidth(row);
            return w > 0 && x >= discDevice(kCursorHotSpot - w, scale) &&
                   x < discDevice(kCursorHotSpot + w, scale);
        }
    }
    return false;
}

const WindowLayout& frmMain()
{
    static const WindowLayout window = makeMainWindow();
    return window;
}

std::string paletteButtonName(int k) { return numbered("Cmd", k); }
std::string guessCellName(int n) { return numbered("TA", n); }
std::string secretCellName(int n) { return numbered("T", n); }
std::string historyCellName(int row, int n) { return numbered(rowWord(row), n); }
std::string historyCorrectName(int row) { return rowWord(row) + "C"; }
std::string historyOutOfPlaceName(int row) { return rowWord(row) + "Oop"; }

const std::vector<MenuEntry>& mainMenu()
{
    static const std::vector<MenuEntry> menu = makeMainMenu();
    return menu;
}

const MenuEntry& menuEntry(std::string_view name, int index)
{
    for (const MenuEntry& entry : mainMenu()) {
        if (entry.name == name && entry.index == index) {
            return entry;
        }
    }
    assert(false && "no such menu entry");
    return mainMenu().front();
}

} // namespace tintwise::layout
