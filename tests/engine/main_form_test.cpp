// main_form_test.cpp: whole games played on the plain-data board through a recording window.
#include "../support/temp_dir.h"
#include "fake_window.h"

#include <engine/main_form.h>
#include <engine/scoring.h>
#include <filesystem>
#include <gtest/gtest.h>

namespace tintwise::engine {
namespace {

using testing::FakeWindow;
using testing::TempDir;

constexpr const char* kWinnerText = "Congratulations!  You Win!  To Play Again, Push Start.";
constexpr const char* kLoseText = "Sorry, You Lose!  To Play Again, Push Start.";

class Game : public ::testing::Test
{
protected:
    Game()
    {
        window.directory = dir.path();
        window.board = &form.board();
        form.Form_Load();
    }

    const GameBoard& board() const { return form.board(); }
    const Code& secret() const { return board().secret.cells; }

    // Picks each colour on the palette and paints it into its cell, as the player does.
    void paint(const Code& code)
    {
        for (int n = 1; n <= kCodeLength; ++n) {
            const ColourValue c = code[static_cast<std::size_t>(n - 1)];
            if (c == kWhite) {
                continue; // white cannot be picked; the cell is left as it is
            }
            const ColourIndex k = colourIndexOf(c);
            ASSERT_TRUE(k >= 0 && k < kPaletteButtonCount);
            form.Cmd_Click(k);
            form.TA_Click(n);
        }
    }

    void guess(const Code& code)
    {
        paint(code);
        form.CmdCorrect_Click();
    }

    // A guess that holds every secret colour, none in its place.
    Code wrong() const { return {secret()[1], secret()[2], secret()[3], secret()[0]}; }

    void wrongGuesses(int n)
    {
        for (int i = 0; i < n; ++i) {
            guess(wrong());
        }
    }

    TempDir dir;
    FakeWindow window;
    MainForm form{window};
};

TEST_F(Game, loadsAtIntermediateWithAHiddenSecretOfElevenColours)
{
    EXPECT_EQ(form.Dif(), 11);
    EXPECT_EQ(window.visibleButtons(), 11);
    EXPECT_TRUE(window.paletteVisible[10]);
    EXPECT_FALSE(window.paletteVisible[11]);
    EXPECT_TRUE(board().inProgress());
    EXPECT_EQ(board().rowsInUse(), 0);
    for (ColourValue c : secret()) {
        const ColourIndex k = colourIndexOf(c);
        EXPECT_TRUE(k >= 0 && k < 11) << c;
    }
    EXPECT_EQ(score(secret(), secret()), (Feedback{4, 0})); // four different colours
    EXPECT_EQ(board().guess.cells, (Code{kWhite, kWhite, kWhite, kWhite}));
    EXPECT_FALSE(form.CurrentColour().has_value());
}

TEST_F(Game, firstGuessWinSetsTheFirstRecordAndShowsTheCountsAfterTheBox)
{
    const Code s = secret();
    guess(s);

    ASSERT_EQ(window.messages.size(), 1u);
    const auto& box = window.messages[0];
    EXPECT_EQ(box.title, "Fastest Time");
    EXPECT_EQ(box.text, "Congratulations! You Have the New Fastest Intermediate Time of 1");
    EXPECT_TRUE(box.secretShown);
    EXPECT_EQ(box.right, ""); // the counts come after the box

    EXPECT_EQ(form.Speed(), 1);
    EXPECT_FALSE(board().inProgress());
    EXPECT_EQ(board().guess.cells, s); // the winning guess stays in the guess row
    EXPECT_EQ(board().guess.TxtRight, "4");
    EXPECT_EQ(board().guess.TxtOop, "0");
    EXPECT_EQ(board().rowsInUse(), 0);
    EXPECT_TRUE(window.focus.empty());
    EXPECT_EQ(dir.read("Interm.txt"), "\"1\"\r\n");
    EXPECT_FALSE(dir.exists("Begin.txt"));
}

TEST_F(Game, tenthGuessWinsWithSpeedTen)
{
    wrongGuesses(9);
    EXPECT_EQ(board().rowsInUse(), 9);
    EXPECT_TRUE(board().inProgress());
    guess(secret());

    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "Congratulations! You Have the New Fastest Intermediate Time of 10");
    EXPECT_EQ(form.Speed(), 10);
    EXPECT_EQ(dir.read("Interm.txt"), "\"10\"\r\n");
}

TEST_F(Game, tenthWrongGuessLosesAndLeavesTheGuessInPlace)
{
    wrongGuesses(9);
    EXPECT_TRUE(window.messages.empty());
    const Code tenth{kWhite, secret()[0], kWhite, kWhite};
    guess(tenth);

    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].title, "Game Over!");
    EXPECT_EQ(window.messages[0].text, kLoseText);
    EXPECT_TRUE(window.messages[0].secretShown);
    ASSERT_FALSE(window.focus.empty());
    EXPECT_EQ(window.focus.back(), FocusTarget::CmdStart);

    EXPECT_FALSE(board().inProgress());
    EXPECT_EQ(board().rowsInUse(), 9);
    EXPECT_EQ(board().guess.cells, tenth);
    EXPECT_EQ(board().guess.TxtRight, "0");
    EXPECT_EQ(board().guess.TxtOop, "1");
    EXPECT_FALSE(dir.exists("Interm.txt")); // a loss touches no record
}

TEST_F(Game, aWrongGuessMovesIntoTheNextRowVerbatimAndClearsTheGuessRow)
{
    const Code first{kWhite, secret()[0], QBColor(14), kWhite};
    guess(first);
    const HistoryRow& one = board().rows[0];
    EXPECT_TRUE(one.shown);
    EXPECT_EQ(one.cells, first); // white cells are copied as white
    EXPECT_EQ(one.correct, "0");
    EXPECT_EQ(one.outOfPlace, "1");
    EXPECT_FALSE(board().rows[1].shown);
    EXPECT_EQ(board().guess.cells, (Code{kWhite, kWhite, kWhite, kWhite}));
    EXPECT_EQ(board().guess.TxtRight, "");
    EXPECT_EQ(board().guess.TxtOop, "");
    EXPECT_EQ(window.focus, std::vector<FocusTarget>{FocusTarget::TA1});

    // With nothing right, both counts are still written as "0".
    form.CmdCorrect_Click();
    EXPECT_EQ(board().rows[1].correct, "0");
    EXPECT_EQ(board().rows[1].outOfPlace, "0");
}

class Records : public Game
{
};

TEST_F(Records, anEqualResultIsNoRecordAndABetterOneReplacesIt)
{
    dir.write("Interm.txt", "\"6\"\r\n");
    wrongGuesses(5);
    guess(secret());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].title, "Winner!");
    EXPECT_EQ(window.messages[0].text, kWinnerText);
    EXPECT_EQ(dir.read("Interm.txt"), "\"6\"\r\n");
    EXPECT_EQ(form.Best(), "\"6\"");
    EXPECT_EQ(form.Length(), 3);
    EXPECT_EQ(form.Fast(), "6\"");
    EXPECT_EQ(form.F(), 6);

    form.CmdStart_Click();
    wrongGuesses(4);
    guess(secret());
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].title, "Fastest Time");
    EXPECT_EQ(window.messages[1].text,
              "Congratulations! You Have the New Fastest Intermediate Time of 5");
    EXPECT_EQ(dir.read("Interm.txt"), "\"5\"\r\n");
    EXPECT_EQ(form.Best(), "5");
}

TEST_F(Records, eachLevelHasItsOwnFileAndNewRecordText)
{
    form.mnuDifficulty_Click(0);
    guess(secret());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              "Congratulations! You Have the New Beginner Fastest Time of 1");
    form.mnuDifficulty_Click(2);
    wrongGuesses(2);
    guess(secret());
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].text,
              "Congratulations! You Have the New Fastest Advanced Time of 3");
    EXPECT_EQ(dir.read("Begin.txt"), "\"1\"\r\n");
    EXPECT_EQ(dir.read("Advance.txt"), "\"3\"\r\n");
    EXPECT_FALSE(dir.exists("Interm.txt"));
}

TEST_F(Records, handEditedLinesWithoutQuotesAreNeverBeaten)
{
    for (const char* line : {"11", "7", "garbage", ""}) {
        dir.write("Interm.txt", line);
        form.CmdStart_Click();
        guess(secret());
        EXPECT_EQ(window.messages.back().title, "Winner!") << line;
        EXPECT_EQ(dir.read("Interm.txt"), line);
    }
}

TEST_F(Records, aFailedReadNeverReusesAnotherLevelsLine)
{
    dir.write("Begin.txt", "\"9\"\r\n");
    form.mnuDifficulty_Click(0);
    wrongGuesses(9); // Speed 10 does not beat 9
    guess(secret());
    EXPECT_EQ(form.Best(), "\"9\"");

    std::filesystem::create_directory(dir.path() / "Interm.txt"); // unreadable
    form.mnuDifficulty_Click(1);
    guess(secret());
    EXPECT_EQ(form.Best(), "");
    EXPECT_EQ(form.F(), 0);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].title, "Winner!");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Interm.txt"));
}

TEST_F(Records, aNewRecordThatCannotBeSavedIsSaidSo)
{
    dir.write("Interm.txt", "\"8\"\r\n");
    // While the congratulation is open, something puts a directory where the file was.
    window.onMessage = [&] {
        if (window.messages.back().title == "Fastest Time") {
            std::filesystem::remove(dir.path() / "Interm.txt");
            std::filesystem::create_directory(dir.path() / "Interm.txt");
        }
    };
    guess(secret());
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[0].title, "Fastest Time");
    EXPECT_EQ(window.messages[1].title, "Tintwise");
    EXPECT_EQ(window.messages[1].text, "The new fastest time could not be saved.");
    EXPECT_EQ(board().guess.TxtRight, "4"); // the click still ends with the counts
}

TEST_F(Records, aFinishedGameIsScoredAgainButNeverWonAgain)
{
    guess(secret());
    ASSERT_EQ(window.messages.size(), 1u);
    const std::string saved = dir.read("Interm.txt");

    form.CmdCorrect_Click(); // right after the win
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(board().guess.TxtRight, "4");
    EXPECT_EQ(board().rowsInUse(), 0);

    form.CmdStart_Click();
    wrongGuesses(10); // lost
    ASSERT_EQ(window.messages.size(), 2u);
    guess(secret()); // the shown secret, painted after the loss
    EXPECT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(board().guess.TxtRight, "4");
    EXPECT_EQ(board().guess.TxtOop, "0");
    EXPECT_EQ(board().rowsInUse(), 9);
    EXPECT_EQ(dir.read("Interm.txt"), saved);
}

TEST_F(Records, viewAndResetGoThroughTheWindowsBoxes)
{
    form.mnuFastestBeginner_Click();
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].title, "Fastest Beginner Time");
    EXPECT_EQ(window.messages[0].text, "No Fastest Beginner Time has been Established.");

    dir.write("Advance.txt", "\"4\"\r\n");
    form.mnuFastestAdvanced_Click();
    EXPECT_EQ(window.messages.back().text, "The Fastest Advanced Time is \"4\"");

    form.mnuReset_Click(); // succeeds silently
    EXPECT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(dir.read("Advance.txt"), "\"11\"\r\n");

    std::filesystem::remove(dir.path() / "Interm.txt");
    std::filesystem::create_directory(dir.path() / "Interm.txt");
    form.mnuReset_Click();
    ASSERT_EQ(window.messages.size(), 3u);
    EXPECT_EQ(window.messages[2].title, "Tintwise");
    EXPECT_EQ(window.messages[2].text, "The fastest times could not be reset.");
}

TEST_F(Game, startClearsAGameInProgressAndKeepsThePickedColour)
{
    wrongGuesses(5);
    form.Cmd_Click(12);
    form.TA_Click(2);
    form.CmdStart_Click();
    EXPECT_TRUE(board().inProgress());
    EXPECT_EQ(board().rowsInUse(), 0);
    for (const HistoryRow& row : board().rows) {
        EXPECT_EQ(row.cells, (Code{kWhite, kWhite, kWhite, kWhite}));
        EXPECT_TRUE(row.correct.empty() && row.outOfPlace.empty());
    }
    EXPECT_EQ(board().guess.cells[1], kWhite);
    EXPECT_EQ(form.CurrentColour(), QBColor(12));
    EXPECT_EQ(window.cursor, 12);
    form.mnuFileStart_Click();
    form.TA_Click(3);
    EXPECT_EQ(board().guess.cells[2], QBColor(12));
}

TEST_F(Game, paintingBeforeAnyPickGivesBlackAndRepaintingReplaces)
{
    form.TA_Click(2);
    EXPECT_EQ(board().guess.cells[1], kBlack);
    EXPECT_FALSE(window.cursor.has_value());
    form.Cmd_Click(12);
    form.TA_Click(1);
    form.TA_Click(3);
    form.TA_Click(4);
    EXPECT_EQ(board().guess.cells, (Code{0x0000FF, kBlack, 0x0000FF, 0x0000FF}));
    form.Cmd_Click(9);
    form.TA_Click(1);
    EXPECT_EQ(board().guess.cells[0], 0xFF0000);
}

struct LevelCase
{
    int index;
    int dif;
};

class Levels : public Game, public ::testing::WithParamInterface<LevelCase>
{
};

TEST_P(Levels, choosingALevelMovesTheCheckShowsItsButtonsAndStartsAGame)
{
    const auto [index, dif] = GetParam();
    wrongGuesses(3);
    form.Cmd_Click(14); // picked at any level, it stays picked
    form.mnuDifficulty_Click(index);
    EXPECT_EQ(form.Dif(), dif);
    EXPECT_EQ(window.visibleButtons(), dif);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window.checked[static_cast<std::size_t>(i)], i == index);
    }
    EXPECT_EQ(board().rowsInUse(), 0);
    EXPECT_EQ(form.CurrentColour(), QBColor(14));
    form.TA_Click(1);
    EXPECT_EQ(board().guess.cells[0], QBColor(14));

    for (int game = 0; game < 200; ++game) {
        form.CmdStart_Click();
        for (ColourValue c : secret()) {
            const ColourIndex k = colourIndexOf(c);
            ASSERT_TRUE(k >= 0 && k < dif) << c;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllThree, Levels,
                         ::testing::Values(LevelCase{0, 7}, LevelCase{1, 11}, LevelCase{2, 15}));

TEST(FirstGame, dependsOnlyOnTheWarmUpCountOfTheClock)
{
    auto firstSecret = [](const std::string& time) {
        FakeWindow window;
        window.time = time;
        MainForm form(window);
        form.Form_Load();
        return form.board().secret.cells;
    };
    EXPECT_EQ(firstSecret("14:05:37"), firstSecret("09:05:12"));   // both count 5
    EXPECT_EQ(firstSecret("2:05:37 PM"), firstSecret("11:37:00")); // both count 37
    EXPECT_NE(firstSecret("14:05:37"), firstSecret("14:06:37"));
}

} // namespace
} // namespace tintwise::engine
