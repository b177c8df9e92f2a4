// driver.cpp: plays the Windows game under Wine as a player does. Each scenario is a script of
// steps, "step argument|value", separated by "; " and run in order on one game; the last line
// printed is the one the test run requires.
//   tintwise_win32_driver GAME.exe HOOK.dll RECORDER.exe WORK_FOLDER (Windows paths)
#include "harness.h"

#include <cstdio>
#include <engine/levels.h>
#include <engine/scoring.h>
#include <map>
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
std::string g_splashTimes;

void step(const std::string& op, const std::string& a, const std::string& b = "");

// A control by its name in the layout, on the main window, or "about.NAME" on the about window.
HWND at(std::string_view name)
{
    const bool about = name.starts_with("about.");
    const auto& window = about ? layout::frmAbout() : layout::frmMain();
    return GetDlgItem(about ? g_about : g_main, window.control(name.substr(about ? 6 : 0)).id);
}

void start()
{
    static int games = 0;
    g_play.reset();
    g_play = std::make_unique<Game>(g_game, g_hook, g_work / ("game" + std::to_string(++games)));
    const HWND splash = g_play->shown(L"TintwiseSplash", 20)[0];
    const auto shown = Clock::now();
    const LONG ex = GetWindowLongW(splash, GWL_EXSTYLE);
    check(!FindWindowW(L"TintwiseMain", nullptr) && text(splash).empty() &&
              (ex & WS_EX_TOOLWINDOW || (GetWindow(splash, GW_OWNER) && !(ex & WS_EX_APPWINDOW))),
          "the splash alone, with no caption text, out of the task bar");
    g_main = g_play->shown(L"TintwiseMain", 10)[0];
    const double gap = secondsSince(shown);
    g_splashTimes += std::to_string(gap).substr(0, 5) + " ";
    check(gap >= 5.0 && gap <= 8.0, "the main window " + std::to_string(gap) + " s after");
    waitUntil("the splash to go, the main window active",
              [&] { return !IsWindowVisible(splash) && GetForegroundWindow() == g_main; });
    Game::settle();
    check(text(g_main) == "Tintwise" && !(GetWindowLongW(g_main, GWL_STYLE) & WS_MAXIMIZEBOX),
          "the main window titled Tintwise, with no maximise box");
}

// The level in force, by its menu index: its palette buttons shown in their colours, the others
// hidden, and the menus as the table builds them, with the check mark on the level's entry.
void expectLevel(int index)
{
    for (int k = 0; k < engine::kPaletteButtonCount; ++k) {
        const bool shown = k < engine::kLevels[std::size_t(index)].colourCount;
        step(shown ? "colour" : "hidden", layout::paletteButtonName(k),
             std::string(engine::colourName(k)));
    }
    std::string want;
    for (const layout::MenuEntry& e : layout::mainMenu()) {
        const bool checked = e.name == "mnuDifficulty" && e.index == index;
        want += e.caption + (e.shortcut ? std::string("\tCtrl+") + e.shortcut : "") +
                (checked ? " (checked)\n" : "\n");
    }
    waitFor("the menus", want, [] { return g_play->probe(g_main, 1); });
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
        step("text", layout::historyCorrectName(row), std::to_string(counts.correct));
        step("text", layout::historyOutOfPlaceName(row), std::to_string(counts.outOfPlace));
    }
}

// One step of a script.
void step(const std::string& op, const std::string& a, const std::string& b)
{
    static const std::map<std::string, WORD> keys = {
        {"Alt", VK_MENU},    {"Ctrl", VK_CONTROL}, {"Shift", VK_SHIFT}, {"Tab", VK_TAB},
        {"Space", VK_SPACE}, {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}};
    if (op == "start") {
        start();
    } else if (op == "click") {
        click(at(a));
    } else if (op == "keys") { // chords in turn: "Shift+Tab Space"
        std::istringstream chords(a);
        for (std::string chord, name; chords >> chord;) {
            std::vector<WORD> pressed;
            for (std::istringstream in(chord); std::getline(in, name, '+');) {
                pressed.push_back(keys.count(name) ? keys.at(name) : WORD(name[0]));
            }
            press(pressed);
        }
    } else if (op == "menu") { // Alt and the menu's letter, then each entry's as its menu opens
        std::istringstream letters(a);
        for (auto [letter, open] = std::pair{std::string(), std::size_t(1)}; letters >> letter;
             ++open) {
            open == 1 ? press({VK_MENU, WORD(letter[0])}) : press({WORD(letter[0])});
            waitUntil("menu " + letter + " to open",
                      [&] { return letters.eof() || g_play->shown(L"#32768").size() == open; });
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
    } else if (op == "cursor") { // over the main window's background: the very cursor on screen,
        POINT spot{layout::pixels(720), layout::pixels(3000)}; // its hot spot at the centre
        ClientToScreen(g_main, &spot);
        click(spot, 0);
        std::string disc = " 32 32 16 16 ";
        for (int i = 0; i < layout::kCursorSize * layout::kCursorSize; ++i) {
            disc +=
                layout::discCovers(i % layout::kCursorSize, i / layout::kCursorSize, 1) ? '#' : '.';
        }
        int k = 0;
        for (; engine::colourName(k) != a; ++k) {
        }
        waitFor("the cursor", a + " disc", [&] {
            CURSORINFO shown{sizeof shown};
            GetCursorInfo(&shown);
            const std::string seen = g_play->probe(g_main, 2);
            const std::string want = std::to_string(UINT_PTR(shown.hCursor)) + disc + " " +
                                     std::to_string(engine::QBColor(k));
            return seen == want ? a + " disc" : seen;
        });
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
        g_about = g_play->shown(L"TintwiseAbout", 5)[0];
        check(text(g_about) == "About Tintwise" && g_play->shown(L"TintwiseAbout").size() == 1,
              "one about window, titled About Tintwise");
        step("focus", "about.cmdOK");
    } else if (op == "secret" && a.empty()) {
        readSecret();
    } else if (op == "secret") { // "painted" by mouse
        check(g_secret != engine::Code{}, "the lost game showed its secret");
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
    } else {
        throw std::runtime_error("no step " + op);
    }
}

const std::string kNoInfo = "; box Tintwise|System Information Is Unavailable At This Time; ";

const std::pair<std::string, std::string> kScenarios[] = {
    {"the splash first, the main window five seconds after it", "start"},
    {"the main window as it opens: palette, board, menus, cursor",
     "level 1; colour TA1|Empty; colour TA4|Empty; text T1; text TxtRight; text TxtOop; "
     "hidden T1; hidden One1; hidden NineOop; cursor Black"},
    {"painting by mouse",
     "click TA2; colour TA2|Black; click Cmd9; cursor Light Blue; click TA1; click TA2; "
     "colour TA1|Light Blue; colour TA2|Light Blue; colour TA3|Empty"},
    {"a guess into history row One",
     "keys Alt+C; shown One1; shown OneOop; colour One1|Light Blue; colour One2|Light Blue; "
     "colour One3|Empty; colour TA1|Empty; colour TA2|Empty; text TxtRight; focus TA1"},
    {"painting by keyboard",
     "keys Shift+Tab; focus Cmd10; keys Space; cursor Light Green; keys Tab Space Tab Enter; "
     "colour TA1|Light Green; colour TA2|Light Green; focus TA2; keys Alt+C; shown Two1"},
    {"a lost game shows the secret, each row's counts right against it; Exit ends the game",
     "keys Alt+C Alt+C Alt+C Alt+C Alt+C Alt+C Alt+C; shown Nine1; keys Alt+C; "
     "box Game Over!|Sorry, You Lose!  To Play Again, Push Start.; shown T1; "
     "focus CmdStart; secret; click Command1; ends Exit"},
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
    {"How To Play: one about window", "start; keys Ctrl+H; about; click Cmd0; keys Ctrl+H; about; "
                                      "text about.lblLink|https://www.example.com/tintwise/"},
    {"System Info through either registry value, PATH first",
     "registry PATH|; registry MSINFO|; click about.cmdSysInfo" + kNoInfo +
         "registry MSINFO|.; click about.cmdSysInfo" + kNoInfo +
         "registry MSINFO|located; click about.cmdSysInfo; ran located\\MSINFO32.EXE; "
         "registry PATH|missing.exe; click about.cmdSysInfo" +
         kNoInfo + "registry PATH|named.exe; click about.cmdSysInfo; ran named.exe"},
    {"the web and mail addresses",
     "click about.lblLink; ran https.exe|https://www.example.com/tintwise/; "
     "click about.cmdSupport; ran mailto.exe|mailto:support@example.com"},
    {"OK, Esc and Enter close the about window; the close box ends the game",
     "click about.cmdOK; hidden about.cmdOK; click Cmd0; keys Ctrl+H; about; keys Esc; "
     "hidden about.cmdOK; click Cmd0; keys Ctrl+H; about; keys Enter; hidden about.cmdOK; "
     "click Cmd0; keys Ctrl+H; about; closebox; ends The close box"},
};

} // namespace

int main(int, char* argv[])
{
    g_game = argv[1], g_hook = argv[2], g_work = argv[4];
    fs::remove_all(g_work);
    fs::create_directories(g_work / "located");
    // Recorders stand in for the programs the game starts; the shell's https and mailto
    // commands go to two of them.
    for (const char* recorder : {"https.exe", "mailto.exe", "named.exe", "located\\MSINFO32.EXE"}) {
        fs::copy_file(argv[3], g_work / recorder);
    }
    for (const std::string scheme : {"https", "mailto"}) {
        const std::string command = '"' + (g_work / (scheme + ".exe")).string() + "\" \"%1\"";
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
                const std::size_t bar = std::min(rest.find('|'), rest.size());
                step(s.substr(0, space), rest.substr(0, bar),
                     rest.substr(std::min(bar + 1, rest.size())));
            }
            std::printf("ok    %s\n", name.c_str());
        } catch (const std::exception& failure) {
            ++failed;
            g_play.reset(); // the scenarios that go on with this game fail too
            std::printf("FAIL  %s: %s\n", name.c_str(), failure.what());
        }
        std::fflush(stdout);
    }
    g_play.reset();
    const std::string count = std::to_string(std::size(kScenarios)) + " scenarios";
    const std::string outcome =
        failed ? std::to_string(failed) + " of " + count + " failed" : "all " + count + " passed";
    std::printf("%s in %.1f s; the main window came %ss after the splash\n", outcome.c_str(),
                secondsSince(began), g_splashTimes.c_str());
    return failed ? 1 : 0;
}
