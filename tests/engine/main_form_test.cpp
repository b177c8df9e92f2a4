// main_form_test.cpp: whole games played on the plain-data board through a recording window.
#include "../support/recording_window.h"
#include "../support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <records/platform.h>
#include <tuple>

namespace tintwise::engine {
namespace {

namespace fs = std::filesystem;
using namespace tintwise::testing;
using Boxes = std::vector<std::string>;

constexpr Code kBlank{kWhite, kWhite, kWhite, kWhite};
const std::string kRecordOf1 =
    "Fastest Time: Congratulations! You Have the New Fastest Intermediate Time of 1";
const std::string kWinner = "Winner!: Congratulations!  You Win!  To Play Again, Push Start.";
const std::string kUnreadable =
    "Tintwise: The fastest time could not be read, so this win could not be kept.";

// A window over a folder of its own, loaded as at start with the clock at `time`.
struct Play
{
    explicit Play(const char* time = "14:00:00") : window(dir.path, time) { form.Form_Load(); }
    std::string counts() const { return board.guess.TxtRight + "/" + board.guess.TxtOop; }
    static std::string counts(const HistoryRow& row) { return row.correct + "/" + row.outOfPlace; }
    void whileBoxOpen(std::function<void()> check) { window.onBox = std::move(check); }

    TempDir dir;
    RecordingWindow window;
    MainForm form{window};
    const GameBoard& board = form.board();
    const Code& secret = board.secret.cells;
};

// The parameter, in the tests that take one, is a level entry (0..2) or -1 for File > Start.
struct Game : ::testing::TestWithParam<int>, Play
{
};

// The win path reads the line by the same rule as everywhere: it drops the first character
// and takes the number at the start of the rest.
TEST(FirstGuessWin, showsTheSecretBeforeTheBoxAndTheCountsAfterItAndWinsOnce)
{
    // Interm.txt before the win, the one box the win shows, and Interm.txt afterwards.
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"\"11\"\r\n", kRecordOf1, "\"1\"\r\n"},
        {"\"6\"\r\n", kRecordOf1, "\"1\"\r\n"},
        {"11\r\n", kWinner, "11\r\n"}, // a bare 11 reads as 1, which no win beats
        {"7", kWinner, "7"}};          // and a bare 7 as 0
    for (const auto& [before, box, after] : rows) {
        SCOPED_TRACE(before);
        Play play;
        play.dir.write("Interm.txt", before);
        // The record the box announces is already on disk: a logout while it is open keeps it.
        play.whileBoxOpen([&] {
            EXPECT_TRUE(play.board.secret.shown && play.counts() == "/");
            EXPECT_EQ(play.dir.read("Interm.txt"), after);
        });
        guess(play.form, play.secret);
        play.form.CmdCorrect_Click(); // a finished game is scored again, never won again
        EXPECT_EQ(play.window.boxes, Boxes{box});
        EXPECT_EQ(play.counts() + std::to_string(play.board.rowsInUse()), "4/00");
        EXPECT_EQ(play.dir.read("Interm.txt"), after);
    }
}

TEST_F(Game, aWrongGuessMovesIntoTheNextRowVerbatimAndTheTenthLoses)
{
    // White is copied as white; 14 is no Intermediate colour.
    const Code first{kWhite, secret[0], QBColor(14), kWhite};
    guess(form, first);
    EXPECT_EQ(std::tuple(board.rows[0].cells, counts(board.rows[0])), std::tuple(first, "0/1"));
    EXPECT_EQ(std::tuple(board.guess.cells, counts()), std::tuple(kBlank, "/"));
    EXPECT_EQ(window.focus, std::vector{FocusTarget::TA1});
    form.CmdCorrect_Click(); // nothing right at all still writes both counts
    EXPECT_EQ(counts(board.rows[1]), "0/0");

    wrongGuesses(form, 7);
    whileBoxOpen([&] { EXPECT_TRUE(board.secret.shown); });
    guess(form, first);
    EXPECT_EQ(window.boxes, Boxes{"Game Over!: Sorry, You Lose!  To Play Again, Push Start."});
    EXPECT_EQ(window.focus.back(), FocusTarget::CmdStart);
    EXPECT_EQ(std::tuple(board.guess.cells, counts()), std::tuple(first, "0/1")); // kept
    EXPECT_FALSE(fs::exists(dir.path / "Interm.txt")); // a loss touches no record
}

TEST_F(Game, eachLevelKeepsItsOwnRecordAndOnlyAFasterWinReplacesIt)
{
    dir.write("Begin.txt", "\"10\"\r\n");
    form.mnuDifficulty_Click(2);
    winOnGuess(form, 10); // the tenth guess still beats no record
    form.mnuDifficulty_Click(0);
    winOnGuess(form, 10); // an equal count is no record
    // An unreadable file: the win says it could not be kept.
    fs::create_directory(dir.path / "Interm.txt");
    form.mnuDifficulty_Click(1);
    guess(form, secret);
    EXPECT_EQ(window.boxes,
              (Boxes{"Fastest Time: Congratulations! You Have the New Fastest Advanced Time of 10",
                     kWinner, kWinner, kUnreadable}));
    EXPECT_EQ(dir.read("Advance.txt") + dir.read("Begin.txt"), "\"10\"\r\n\"10\"\r\n");
}

// Interm.txt made read-only by the player, or the folder locked by another copy (which is waited
// for a bounded time only): a first-guess win and a Reset say they failed, and the file stays.
TEST(RecordFailures, areSaidAndLeaveWhatCannotBeWrittenAsItWas)
{
    for (const bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "locked" : "read-only");
        Play play;
        const fs::path file = play.dir.write("Interm.txt", "\"11\""); // any write adds CR LF
        records::platform::Folder other(play.dir.path);
        locked ? void(other.tryLockForWriting()) : fs::permissions(file, fs::perms::owner_read);
        const auto before = std::pair(fs::status(file), play.dir.read("Interm.txt"));
        guess(play.form, play.secret);
        play.form.mnuReset_Click();
        EXPECT_EQ(play.window.boxes,
                  (Boxes{kRecordOf1, "Tintwise: The new fastest time could not be saved.",
                         "Tintwise: The fastest times could not be reset."}));
        EXPECT_EQ(std::pair(fs::status(file), play.dir.read("Interm.txt")), before);
        std::error_code ignored; // Windows cannot remove a read-only file with its folder
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ignored);
    }
}

// A level entry or File > Start, after a game: the board is fresh, the pick
// stays. The soak checks after every action that secrets hold only the level's colours.
TEST_P(Game, aNewGameClearsTheBoardAndKeepsThePickedColour)
{
    const int dif = GetParam() < 0 ? 11 : 7 + 4 * GetParam();
    winOnGuess(form, 4);
    form.Cmd_Click(14); // picked at any level, it stays picked
    GetParam() < 0 ? form.mnuFileStart_Click() : form.mnuDifficulty_Click(GetParam());
    EXPECT_EQ(std::count(window.buttons.begin(), window.buttons.end(), true), dif);
    EXPECT_EQ(window.checked, (std::array<bool, 3>{dif == 7, dif == 11, dif == 15}));
    EXPECT_EQ(std::tuple(board.secret.shown, board.guess.cells, counts()),
              std::tuple(false, kBlank, "/"));
    for (const HistoryRow& row : board.rows) {
        EXPECT_EQ(std::tuple(row.shown, row.cells, counts(row)), std::tuple(false, kBlank, "/"));
    }
    form.TA_Click(1);
    EXPECT_EQ(board.guess.cells[0], QBColor(14));
}

INSTANTIATE_TEST_SUITE_P(LevelsAndStart, Game, ::testing::Values(-1, 0, 1, 2));

TEST(FirstGame, dependsOnlyOnTheWarmUpCount)
{
    EXPECT_EQ(Play("14:05:37").secret, Play("09:05:12").secret); // both count 5
    EXPECT_NE(Play("14:05:37").secret, Play("14:06:37").secret);
}

} // namespace
} // namespace tintwise::engine
