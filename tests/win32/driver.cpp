// driver.cpp: plays the Windows game under Wine as a player does. Each scenario is a script of
// steps, "step argument|value", separated by "; " and run in order on one game; the last line
// printed is the one the test run requires.
//   tintwise_win32_driver GAME.exe HOOK.dll RECORDER.exe WORK_FOLDER
#include "harness.h"

#include <cstdio>
#include <engine/levels.h>
#include <engine/scoring.h>
#include <memory>
#include <registry/registry.h>
#include <sstream>
#include <ui/layout/info_windows.h>
#include <ui/layout/main_window.h>

namespace {

using namespace tintwise;
using namespace tintwise::win32test;

fs::path g_game, g_hook, g_work;
std::unique_ptr<Game> g_play; // the game now running
HWND g_main = nullptr, g_about = nullptr;
engine::Code g_secret{}; // the lost game's, which a game started at the same clock draws again
std::string g_splashGaps;

void step(const std::string& op, const std::string& a, const std::string& b);

// A control by its name: on the main window, or else on the about window.
HWND at(std::string_view name)
{
    for (const auto& [window, layout] :
         {std::pair{g_main, &layout::frmMain()}, std::pair{g_about, &layout::frmAbout()}}) {
        for (const layout::Control& c : layout->controls) {
            if (c.name == name) {
                return GetDlgItem(window, c.id);
            }
        }
    }
    throw Failure{"no control " + std::string(name)};
}

void start(bool untilMain)
{
    static int games = 0;
    g_play.reset();
    g_play = std::make_unique<Game>(g_game, g_hook, g_work / ("game" + std::to_string(++games)));
    const HWND splash = g_play->top(L"TintwiseSplash", 20);
    const auto shown = Clock::now();
    const LONG ex = GetWindowLongW(splash, GWL_EXSTYLE);
    check(!FindWindowW(L"TintwiseMain", nullptr) && text(splash).empty() &&
              (ex & WS_EX_TOOLWINDOW || (GetWindow(splash, GW_OWNER) && !(ex & WS_EX_APPWINDOW))),
          "the splash alone, with no caption text, out of the task bar");
    if (untilMain) {
        g_main = g_play->top(L"TintwiseMain", 10);
        const double gap = secondsSince(shown);
        g_splashGaps += std::to_string(gap).substr(0, 5) + " ";
        check(gap >= 5.0 && gap <= 8.0, "the main window " + std::to_string(gap) + " s after");
        waitUntil("the splash to go, the main window active",
                  [&] { return !IsWindowVisible(splash) && GetForegroundWindow() == g_main; });
        settle();
        check(text(g_main) == layout::kAppTitle &&
                  !(GetWindowLongW(g_main, GWL_STYLE) & WS_MAXIMIZEBOX),
              "the main window titled Tintwise, with no maximise box");
    }
}

// The cursor the game shows, as "Light Blue disc" or what is wrong with it: clear but for the
// disc, the disc all one colour, the hot spot at its centre, and the very cursor on screen.
std::string cursorShape(const std::string& answer)
{
    constexpr int kHalfWidth[16] = {0, 0, 0, 1, 5, 7, 8, 9, 10, 11, 11, 12, 12, 12, 12, 13};
    std::istringstream in(answer);
    UINT_PTR handle = 0;
    int w = 0, h = 0, hotX = 0, hotY = 0;
    long fill = -1, pixel = -1;
    CURSORINFO shown{sizeof shown};
    GetCursorInfo(&shown);
    if (!(in >> handle >> w >> h >> hotX >> hotY) || handle != UINT_PTR(shown.hCursor) || w != 32 ||
        h != 32 || std::min(hotX, hotY) < 15 || std::max(hotX, hotY) > 16) {
        return "not the 32 pixel cursor on screen, hot spot at the centre: " + answer.substr(0, 30);
    }
    for (int i = 0; i < 32 * 32 && in >> pixel; ++i) {
        const int x = i % 32, y = i / 32, half = kHalfWidth[y < 16 ? y : 31 - y];
        const bool disc = x >= 16 - half && x <= 15 + half;
        if (disc != (pixel >= 0) || (disc && fill >= 0 && pixel != fill)) {
            return "a stray pixel at " + std::to_string(x) + "," + std::to_string(y);
        }
        fill = disc ? pixel : fill;
    }
    return colourText(engine::ColourValue(fill)) + " disc";
}

// The level in force, by its menu index: its palette buttons shown in their colours, the others
// hidden, and the menus as the table builds them, with the check mark on the level's entry.
void expectLevel(int index)
{
    for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
        const std::string name = layout::paletteButtonName(k);
        const bool shown = k < engine::kLevels[std::size_t(index)].colourCount;
        step(shown ? "colour" : "hidden", name, std::string(engine::colourName(k)));
    }
    const auto& menu = layout::mainMenu();
    std::istringstream seen(g_play->probe(g_main, 1));
    for (std::size_t i = 0; i < menu.size(); ++i) {
        const layout::MenuEntry& e = menu[i];
        const bool opens = i + 1 < menu.size() && menu[i + 1].depth > e.depth;
        std::string line, want = std::to_string(e.depth) + " " +
                                 std::to_string(opens || e.separator ? 0 : e.id) +
                                 (e.name == "mnuDifficulty" && e.index == index ? " C" : " -") +
                                 (e.separator ? "S " : "- ") + e.caption +
                                 (e.shortcut ? std::string("\tCtrl+") + e.shortcut : "");
        std::getline(seen, line);
        check(line == want, "the menu entry \"" + want + "\", not \"" + line + "\"");
    }
}

// The lost game's secret, and each history row's counts: those of its guess against it.
void readSecret()
{
    for (int n = 0; n < engine::kCodeLength; ++n) {
        const HWND cell = at(layout::secretCellName(n + 1));
        const int k = engine::colourIndexOf(g_secret[std::size_t(n)] = colour(cell));
        check(k >= 0 && k < 11 && text(cell) == engine::colourName(k), "a secret of the level");
    }
    for (int row = 0; row < engine::kHistoryRows; ++row) {
        engine::Code guess{};
        for (int n = 0; n < engine::kCodeLength; ++n) {
            guess[std::size_t(n)] = colour(at(layout::historyCellName(row, n + 1)));
        }
        const engine::Feedback counts = engine::score(g_secret, guess);
        check(text(at(layout::historyCorrectName(row))) == std::to_string(counts.correct) &&
                  text(at(layout::historyOutOfPlaceName(row))) == std::to_string(counts.outOfPlace),
              "history row " + std::to_string(row + 1) + "'s counts");
    }
}

// Keys as a player names them, pressed in turn: "Alt+C Alt+C", "Shift+Tab", "Space".
void pressKeys(const std::string& names)
{
    static const std::map<std::string, WORD> named = {
        {"Alt", VK_MENU},    {"Ctrl", VK_CONTROL}, {"Shift", VK_SHIFT}, {"Tab", VK_TAB},
        {"Space", VK_SPACE}, {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}};
    std::istringstream chords(names);
    for (std::string chord; chords >> chord;) {
        std::vector<WORD> keys;
        std::istringstream in(chord);
        for (std::string name; std::getline(in, name, '+');) {
            keys.push_back(named.count(name) ? named.at(name) : WORD(name[0]));
        }
        press(keys);
    }
}

// One step of a script.
void step(const std::string& op, const std::string& a, const std::string& b)
{
    if (op == "start") { // the game, up to its main window, or up to its "splash"
        start(a != "splash");
    } else if (op == "click") { // a control, or "main": the main window where the about one is not
        POINT edge{3, layout::pixels(3000)};
        ClientToScreen(g_main, &edge);
        a == "main" ? click(edge) : click(at(a));
    } else if (op == "keys") {
        pressKeys(a);
    } else if (op == "menu") { // Alt and the menu's letter, then each entry's as its menu opens
        std::istringstream letters(a);
        for (auto [letter, open] = std::pair{std::string(), 1}; letters >> letter; ++open) {
            open == 1 ? press({VK_MENU, WORD(letter[0])}) : press({WORD(letter[0])});
            waitUntil("menu " + letter + " to open", [&] {
                return letters.eof() || int(g_play->shown(L"#32768").size()) == open;
            });
        }
    } else if (op == "colour") { // on screen, and the name it reads: "Empty" for a white cell
        const std::string want = b == layout::kEmptyCellText ? colourText(engine::kWhite) : b;
        waitFor(a + "'s colour", want, [&] { return colourText(colour(at(a))); });
        step("text", a, b);
    } else if (op == "text") {
        waitFor(a + "'s text", b, [&] { return text(at(a)); });
    } else if (op == "focus") {
        waitUntil(a + " to have the focus", [&] { return g_play->focus() == at(a); });
    } else if (op == "shown" || op == "hidden") {
        waitUntil(a + " " + op, [&] { return !IsWindowVisible(at(a)) == (op == "hidden"); });
    } else if (op == "cursor") { // over the main window's own background
        POINT spot{layout::pixels(720), layout::pixels(3000)};
        ClientToScreen(g_main, &spot);
        moveTo(spot);
        waitFor("the cursor", a + " disc", [] { return cursorShape(g_play->probe(g_main, 2)); });
    } else if (op == "level") {
        expectLevel(std::stoi(a));
    } else if (op == "box") { // its title and text, then closed: one OK button, no icon
        const std::string seen = g_play->closeBox(IsWindowVisible(g_about) ? g_about : g_main);
        check(seen == a + ": " + b + " [OK]", "a box \"" + a + "\", not " + seen);
    } else if (op == "file") { // beside the game
        waitFor(a, b, [&] { return fileBytes(g_play->folder / a); });
    } else if (op == "ends") {
        check(g_play->endsAtOnce(), a + " ends the game at once, with exit code 0");
    } else if (op == "about") { // the one about window, "OK" with the focus
        g_about = g_play->top(L"TintwiseAbout", 5);
        check(text(g_about) == "About Tintwise" && g_play->shown(L"TintwiseAbout").size() == 1,
              "one about window, titled About Tintwise");
        step("focus", "cmdOK", "");
    } else if (op == "secret" && a.empty()) {
        readSecret();
    } else if (op == "secret") { // "painted" by mouse
        for (int n = 0; n < engine::kCodeLength; ++n) {
            click(at(layout::paletteButtonName(engine::colourIndexOf(g_secret[std::size_t(n)]))));
            click(at(layout::guessCellName(n + 1)));
        }
    } else if (op == "registry") { // a value the launcher reads set to a file, or deleted
        const std::string key = a == "PATH" ? registry::kSysInfoKey : registry::kSysInfoLocationKey;
        const std::string file = (g_work / b).string();
        b.empty() ? RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), a.c_str())
                  : RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), a.c_str(), REG_SZ,
                                    file.c_str(), DWORD(file.size() + 1));
    } else if (op == "ran") { // a recorder, its command line holding the value
        const fs::path log = g_work / (a + ".log");
        waitUntil(a + " to run for " + b,
                  [&] { return fs::exists(log) && fileBytes(log).find(b) != std::string::npos; });
        fs::remove(log);
    } else if (op == "closebox") { // the main window's, clicked
        TITLEBARINFO bar{sizeof bar};
        GetTitleBarInfo(g_main, &bar);
        const RECT& r = bar.rcTitleBar;
        const POINT box{r.right - (r.bottom - r.top) / 2, (r.top + r.bottom) / 2};
        check(SendMessageW(g_main, WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y)) == HTCLOSE,
              "the close box at the end of the title bar");
        click(box);
    } else if (op == "close") { // the splash, through the window system
        PostMessageW(g_play->top(L"TintwiseSplash"), WM_CLOSE, 0, 0);
    } else {
        throw Failure{"no step " + op};
    }
}

const char* const kNoInfo = "box Tintwise|System Information Is Unavailable At This Time";

const std::pair<std::string, std::string> kScenarios[] = {
    {"the splash first, the main window five seconds after it", "start"},
    {"the main window as it opens: palette, board, menus, cursor",
     "level 1; colour TA1|Empty; colour TA4|Empty; text T1; text TxtRight; text TxtOop; "
     "hidden T1; hidden One1; hidden NineOop; shown Label2; cursor Black"},
    {"painting by mouse",
     "click TA2; colour TA2|Black; click Cmd9; cursor Light Blue; click TA1; click TA2; "
     "colour TA1|Light Blue; colour TA2|Light Blue; colour TA3|Empty"},
    {"a guess into history row One",
     "keys Alt+C; shown One1; shown OneOop; colour One1|Light Blue; colour One2|Light Blue; "
     "colour One3|Empty; colour TA1|Empty; colour TA2|Empty; text TxtRight; text TxtOop; "
     "focus TA1"},
    {"painting by keyboard",
     "keys Shift+Tab; focus Cmd10; keys Space; cursor Light Green; keys Tab Space Tab Enter; "
     "colour TA1|Light Green; colour TA2|Light Green; focus TA2; keys Alt+C; shown Two1"},
    {"a lost game shows the secret, and each row's counts are right against it",
     "keys Alt+C Alt+C Alt+C Alt+C Alt+C Alt+C Alt+C; shown Nine1; keys Alt+C; "
     "box Game Over!|Sorry, You Lose!  To Play Again, Push Start.; shown T1; focus CmdStart; "
     "secret"},
    {"Exit ends the game", "click Command1; ends Exit"},
    {"the same clock draws the same secret, and a first-guess win records it",
     "start; secret painted; click CmdCorrect; "
     "box Fastest Time|Congratulations! You Have the New Fastest Intermediate Time of 1; "
     "text TxtRight|4; text TxtOop|0; shown T1; hidden One1; file Interm.txt|\"1\"\r\n"},
    {"View and Reset Fastest Times",
     "menu F V N; box Fastest Intermediate Time|The Fastest Intermediate Time is \"1\"; "
     "menu F V E; box Fastest Beginner Time|No Fastest Beginner Time has been Established.; "
     "file Begin.txt|\"11\"\r\n; file Advance.txt|(no file); menu F R; "
     "file Advance.txt|\"11\"\r\n; file Interm.txt|\"11\"\r\n; menu F V N; "
     "box Fastest Intermediate Time|No Fastest Intermediate Time has been Established."},
    {"the levels and their check marks; Ctrl+X ends the game",
     "menu F G A; level 2; hidden T1; menu F G B; level 0; keys Ctrl+X; ends Ctrl+X"},
    {"How To Play: one about window",
     "start; keys Ctrl+H; about; text lblLink|https://www.example.com/tintwise/; click main; "
     "keys Ctrl+H; about"},
    {"System Info through both registry values, PATH first",
     "registry PATH|; registry MSINFO|; click cmdSysInfo; " + std::string(kNoInfo) +
         "; registry MSINFO|empty; click cmdSysInfo; " + kNoInfo +
         "; registry MSINFO|located; click cmdSysInfo; ran located\\MSINFO32.EXE; "
         "registry PATH|missing.exe; click cmdSysInfo; " +
         kNoInfo +
         "; registry PATH|named.exe; click cmdSysInfo; ran named.exe; registry MSINFO|; "
         "registry PATH|"},
    {"the web and mail addresses",
     "click lblLink; ran https.exe|https://www.example.com/tintwise/; click cmdSupport; "
     "ran mailto.exe|mailto:support@example.com"},
    {"OK, Esc and Enter close the about window; the close box ends the game",
     "click cmdOK; hidden cmdOK; click main; keys Ctrl+H; about; keys Esc; hidden cmdOK; "
     "click main; keys Ctrl+H; about; keys Enter; hidden cmdOK; click main; keys Ctrl+H; "
     "about; closebox; ends The close box"},
    {"closing the splash ends the program", "start splash; close; ends Closing the splash"},
};

// The Windows path of a Unix one.
fs::path windowsPath(const std::string& path)
{
    return fs::path(path.starts_with("/") ? "Z:" + path : path).make_preferred();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fputs("usage: tintwise_win32_driver GAME.exe HOOK.dll RECORDER.exe WORK\n", stderr);
        return 2;
    }
    g_game = windowsPath(argv[1]), g_hook = windowsPath(argv[2]), g_work = windowsPath(argv[4]);
    fs::remove_all(g_work);
    fs::create_directories(g_work / "empty");
    fs::create_directories(g_work / "located");
    // Recorders stand in for the programs the game starts; the shell's https and mailto
    // commands go to two of them.
    for (const char* recorder : {"https.exe", "mailto.exe", "named.exe", "located\\MSINFO32.EXE"}) {
        fs::copy_file(windowsPath(argv[3]), g_work / recorder);
    }
    for (const std::string scheme : {"https", "mailto"}) {
        const std::string command = "\"" + (g_work / (scheme + ".exe")).string() + "\" \"%1\"";
        RegSetKeyValueA(HKEY_CLASSES_ROOT, (scheme + "\\shell\\open\\command").c_str(), nullptr,
                        REG_SZ, command.c_str(), DWORD(command.size() + 1));
    }
    int failed = 0;
    const auto began = Clock::now();
    for (const auto& [name, script] : kScenarios) {
        try {
            check(g_play || script.starts_with("start"), "not run: its game has ended");
            std::istringstream steps(script);
            for (std::string s; std::getline(steps >> std::ws, s, ';');) {
                const std::size_t space = std::min(s.find(' '), s.size());
                const std::string rest = s.substr(std::min(space + 1, s.size()));
                const std::size_t bar = rest.find('|');
                step(s.substr(0, space), rest.substr(0, bar),
                     bar == std::string::npos ? "" : rest.substr(bar + 1));
            }
            std::printf("ok    %s\n", name.c_str());
        } catch (const Failure& failure) {
            ++failed;
            g_play.reset(); // the scenarios that go on with this game fail too
            std::printf("FAIL  %s: %s\n", name.c_str(), failure.what.c_str());
        }
        std::fflush(stdout);
    }
    g_play.reset();
    std::printf("splash to main window: %ss\n", g_splashGaps.c_str());
    if (failed) {
        std::printf("%d of %zu scenarios failed\n", failed, std::size(kScenarios));
        return 1;
    }
    std::printf("all %zu scenarios passed, %d checks, in %.1f s\n", std::size(kScenarios), g_checks,
                secondsSince(began));
    return 0;
}
