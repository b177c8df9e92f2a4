// soak_test.cpp: a million random player actions on one game, with the board's and the record
// files' invariants checked after every one.

#include <algorithm>
#include <cstdio>
#include <engine/main_form.h>
#include <gtest/gtest.h>
#include <random>
#include <records/fastest_time_store.h>
#include <regex>
#include <set>
#include <sys/stat.h>
#include <tuple>

namespace tintwise::engine {
namespace {

namespace fs = std::filesystem;

// Every box is closed at once, as a player clicking OK would.
class SilentWindow : public WindowEffects
{
public:
    explicit SilentWindow(fs::path directory) : m_directory(std::move(directory)) {}
    void setPaletteButtonVisible(int, bool) override {}
    void setDifficultyChecked(int, bool) override {}
    void showMessage(std::string_view, std::string_view) override {}
    void setFocus(FocusTarget) override {}
    void setCursorColour(ColourIndex) override {}
    fs::path programDirectory() const override { return m_directory; }
    std::string timeOfDay() const override { return "2:05:37 PM"; }

private:
    fs::path m_directory;
};

// A count box holds "" or "0".."4"; the pair is empty together or adds up to at most 4.
::testing::AssertionResult countsAreSound(const std::string& correct, const std::string& outOfPlace)
{
    if (correct.empty() && outOfPlace.empty()) {
        return ::testing::AssertionSuccess();
    }
    auto digit = [](const std::string& s) {
        return s.size() == 1 && s[0] >= '0' && s[0] <= '4';
    };
    if (digit(correct) && digit(outOfPlace) && (correct[0] - '0') + (outOfPlace[0] - '0') <= 4) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "counts [" << correct << "] [" << outOfPlace << "]";
}

::testing::AssertionResult boardIsSound(const MainForm& form)
{
    const GameBoard& board = form.board();
    if (board.inProgress()) {
        std::set<ColourIndex> secret;
        for (ColourValue c : board.secret.cells) {
            const ColourIndex k = colourIndexOf(c);
            if (k < 0 || k >= form.Dif()) {
                return ::testing::AssertionFailure()
                       << "secret colour " << c << " at Dif " << form.Dif();
            }
            secret.insert(k);
        }
        if (secret.size() != 4) {
            return ::testing::AssertionFailure() << "secret colours repeat";
        }
    }
    for (int r = 0; r < kHistoryRows; ++r) {
        const HistoryRow& row = board.rows[static_cast<std::size_t>(r)];
        if (row.shown && r > 0 && !board.rows[static_cast<std::size_t>(r - 1)].shown) {
            return ::testing::AssertionFailure() << "row " << r + 1 << " in use before row " << r;
        }
        if (!row.shown && !(row.correct.empty() && row.outOfPlace.empty())) {
            return ::testing::AssertionFailure() << "hidden row " << r + 1 << " holds counts";
        }
        if (auto sound = countsAreSound(row.correct, row.outOfPlace); !sound) {
            return sound << " in row " << r + 1;
        }
    }
    return countsAreSound(board.guess.TxtRight, board.guess.TxtOop);
}

// Absent until its level is first viewed or won, then always exactly one count line. Every
// write replaces the file, so a file whose identity and time are unchanged is not read again.
class RecordFileCheck
{
public:
    explicit RecordFileCheck(fs::path file) : m_file(std::move(file)) {}

    ::testing::AssertionResult operator()()
    {
        struct stat info
        {
        };
        if (::stat(m_file.c_str(), &info) != 0) {
            return ::testing::AssertionSuccess();
        }
        const Identity now{info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
        if (now == m_checked) {
            return ::testing::AssertionSuccess();
        }
        char bytes[64];
        std::FILE* in = std::fopen(m_file.c_str(), "rb");
        if (in == nullptr) {
            return ::testing::AssertionFailure() << m_file << " cannot be read";
        }
        const std::size_t n = std::fread(bytes, 1, sizeof bytes, in);
        std::fclose(in);
        static const std::regex line(R"re("([1-9]|10|11)"\r\n)re");
        if (!std::regex_match(bytes, bytes + n, line)) {
            return ::testing::AssertionFailure()
                   << m_file << " holds [" << std::string(bytes, n) << "]";
        }
        m_checked = now;
        return ::testing::AssertionSuccess();
    }

private:
    using Identity = std::tuple<ino_t, off_t, time_t, long>;
    fs::path m_file;
    Identity m_checked{};
};

TEST(Soak, aMillionRandomActionsKeepTheBoardAndTheRecordFilesSound)
{
    // Record writes are flushed to the disk; a memory-backed folder keeps a million actions
    // fast without changing what the game does.
    const fs::path shm = "/dev/shm";
    std::error_code ec;
    const fs::path base = fs::is_directory(shm, ec) ? shm : fs::temp_directory_path();
    const fs::path dir = base / ("tintwise-soak-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    struct Cleanup
    {
        fs::path dir;
        ~Cleanup() { fs::remove_all(dir); }
    } cleanup{dir};

    SilentWindow window(dir);
    MainForm form(window);
    form.Form_Load();
    std::mt19937 random(20261207);
    auto pick = [&](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };
    std::array<RecordFileCheck, 3> files = {RecordFileCheck(dir / "Begin.txt"),
                                            RecordFileCheck(dir / "Interm.txt"),
                                            RecordFileCheck(dir / "Advance.txt")};
    // Weights per thousand: mostly building and scoring guesses, sometimes the right colour
    // (so that games are won and records written), rarely the menus.
    constexpr int kActions = 1'000'000;
    int wins = 0;
    for (int action = 0; action < kActions; ++action) {
        const int roll = pick(1000);
        const bool wasInProgress = form.board().inProgress();
        if (roll < 300) {
            form.Cmd_Click(pick(form.Dif()));
        } else if (roll < 600) {
            form.TA_Click(1 + pick(kCodeLength));
        } else if (roll < 750) {
            const int n = 1 + pick(kCodeLength);
            form.Cmd_Click(
                colourIndexOf(form.board().secret.cells[static_cast<std::size_t>(n - 1)]));
            form.TA_Click(n);
        } else if (roll < 960) {
            form.CmdCorrect_Click();
        } else if (roll < 980) {
            form.CmdStart_Click();
        } else if (roll < 990) {
            form.mnuDifficulty_Click(pick(kLevelCount));
        } else if (roll < 999) {
            const int level = pick(3);
            level == 0   ? form.mnuFastestBeginner_Click()
            : level == 1 ? form.mnuFastestInterm_Click()
                         : form.mnuFastestAdvanced_Click();
        } else {
            form.mnuReset_Click();
        }
        wins += wasInProgress && !form.board().inProgress() &&
                form.board().guess.cells == form.board().secret.cells;

        ASSERT_TRUE(boardIsSound(form)) << "after action " << action << " (roll " << roll << ")";
        for (RecordFileCheck& fileIsSound : files) {
            ASSERT_TRUE(fileIsSound()) << "after action " << action;
        }
    }
    EXPECT_GT(wins, 100); // the walk did reach the record path
}

} // namespace
} // namespace tintwise::engine
