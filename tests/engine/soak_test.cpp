// soak_test.cpp: a million random player actions on one game, with the board's and the record
// files' invariants checked after every one.
#include "../support/recording_window.h"
#include "../support/temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sys/stat.h>

using namespace tintwise::engine;
using namespace tintwise::testing;
namespace fs = std::filesystem;

TEST(Soak, aMillionRandomActionsKeepTheBoardAndTheRecordFilesSound)
{
    // Record writes are flushed to the disk; a memory-backed folder keeps a million actions
    // fast without changing what the game does.
    ::setenv("TMPDIR",
             fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().c_str(), 1);
    const TempDir dir;
    RecordingWindow window(dir.path);
    MainForm form(window);
    form.Form_Load();
    std::mt19937 random(20261207);
    const std::function<void()> actions[] = {
        [&] { form.Cmd_Click(random() % form.Dif()); },
        [&] { form.TA_Click(1 + random() % kCodeLength); },
        [&] { // the right colour, so that games are won and records written
            const int n = 1 + random() % kCodeLength;
            form.Cmd_Click(colourIndexOf(form.board().secret.cells[n - 1]));
            form.TA_Click(n);
        },
        [&] { form.CmdCorrect_Click(); },
        [&] { form.CmdStart_Click(); },
        [&] { form.mnuDifficulty_Click(random() % kLevelCount); },
        [&] { form.mnuFastestBeginner_Click(); },
        [&] { form.mnuFastestInterm_Click(); },
        [&] { form.mnuFastestAdvanced_Click(); },
        [&] { form.mnuReset_Click(); },
    };
    // Per thousand: mostly building and scoring guesses, rarely the menus.
    std::discrete_distribution<int> choose({300, 300, 150, 210, 20, 10, 3, 3, 3, 1});
    // Count boxes hold nothing, or one digit each, adding up to at most 4.
    const std::set<std::string> sound = {"/",   "0/0", "0/1", "0/2", "0/3", "0/4", "1/0", "1/1",
                                         "1/2", "1/3", "2/0", "2/1", "2/2", "3/0", "3/1", "4/0"};
    // A record file is absent until its level is first viewed or won, then always one count
    // line. Every write makes a new file, so one seen before need not be read again.
    const std::regex line(R"re("([1-9]|10|11)"\r\n)re");
    std::map<std::string, std::pair<ino_t, long>> seen{
        {"Begin.txt", {}}, {"Interm.txt", {}}, {"Advance.txt", {}}};
    const GameBoard& board = form.board();
    for (int action = 0; action < 1'000'000; ++action) {
        const int chosen = choose(random);
        actions[chosen]();
        std::set<ColourIndex> secret; // -1 for a colour beyond the level's
        for (ColourValue c : board.secret.cells) {
            secret.insert(colourIndexOf(c) < form.Dif() ? colourIndexOf(c) : -1);
        }
        ASSERT_TRUE(!board.inProgress() || (secret.size() == 4 && secret.count(-1) == 0))
            << "a secret with a repeated colour or one beyond the level after action " << action;
        bool hiddenAbove = false; // rows come into use from the top
        for (const HistoryRow& row : board.rows) {
            const std::string counts = row.correct + "/" + row.outOfPlace;
            ASSERT_TRUE(sound.count(counts) && (row.shown ? !hiddenAbove : counts == "/"))
                << "a row holding " << counts << " after action " << action << " (" << chosen
                << ")";
            hiddenAbove = hiddenAbove || !row.shown;
        }
        ASSERT_TRUE(sound.count(board.guess.TxtRight + "/" + board.guess.TxtOop)) << action;
        for (auto& [name, identity] : seen) {
            struct stat info = {};
            const bool there = ::stat((dir.path / name).c_str(), &info) == 0;
            const std::pair now{info.st_ino, info.st_mtim.tv_nsec};
            if (there && std::exchange(identity, now) != now) {
                ASSERT_TRUE(std::regex_match(dir.read(name), line)) << name << " after " << action;
            }
        }
        // A folder the game may use never fails a save or a reset.
        ASSERT_TRUE(window.boxes.empty() || window.boxes.back().rfind("Tintwise:", 0) != 0)
            << window.boxes.back() << " after action " << action;
    }
    // The walk did reach the record path.
    EXPECT_GT(
        std::count_if(window.boxes.begin(), window.boxes.end(),
                      [](const std::string& box) { return box.rfind("Fastest Time:", 0) == 0; }),
        100);
}
