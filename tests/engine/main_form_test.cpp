// main_form_test.cpp: whole games played on the plain-data board through a recording window.
#include "../support/temp_dir.h"

#include <algorithm>
#include <engine/main_form.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace tintwise::engine {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct ShownMessage
{
    std::string title;
    std::string text;
    bool secretShown;  // what the board showed while the box was open
    std::string right; // TxtRight while the box was open
};

// Records every effect the form asks of its window, and what the board showed at each box.
class FakeWindow : public WindowEffects
{
public:
    std::array<bool, 15> paletteVisible{};
    std::array<bool, 3> checked{false, true, false}; // the menu is created with Intermediate
    std::vector<ShownMessage> messages;
    std::vector<FocusTarget> focus;
    std::optional<ColourIndex> cursor;
    std::filesystem::path directory;
    std::string time = "14:00:00";
    std::function<void()> onMessage; // runs while a box is "open"
    const GameBoard* board = nullptr;

    void setPaletteButtonVisible(int k, bool shown) override { paletteVisible.at(k) = shown; }
    void setDifficultyChecked(int index, bool on) override { checked.at(index) = on; }
    void showMessage(std::string_view title, std::string_view text) override
    {
        messages.push_back({std::string(title), std::string(text),
                            board != nullptr && board->secret.shown,
                            board != nullptr ? board->guess.TxtRight : std::string()});
        if (onMessage) {
            onMessage();
        }
    }
    void setFocus(FocusTarget target) override { focus.push_back(target); }
    void setCursorColour(ColourIndex k) override { cursor = k; }
    std::filesystem::path programDirectory() const override { return directory; }
    std::string timeOfDay() const override { return time; }

    long visibleButtons() const
    {
        return std::count(paletteVisible.begin(), paletteVisible.end(), true);
    }
};

constexpr Code kBlank{kWhite, kWhite, kWhite, kWhite};

class Game : public ::testing::Test
{
protected:
    Game()
    {
        window.directory = dir.path;
        window.board = &form.board();
        form.Form_Load();
    }

    const GameBoard& board() const { return form.board(); }
    const Code& secret() const { return board().secret.cells; }
    const std::string& lastTitle() const { return window.messages.back().title; }

    // Picks each colour on the palette and paints it into its cell, as the player does;
    // white cannot be picked, so a white cell is left as it is.
    void guess(const Code& code)
    {
        for (int n = 1; n <= kCodeLength; ++n) {
            const ColourValue c = code[static_cast<std::size_t>(n - 1)];
            if (c != kWhite) {
                form.Cmd_Click(colourIndexOf(c));
                form.TA_Click(n);
            }
        }
        form.CmdCorrect_Click();
    }

    // Guesses holding every secret colour, none in its place.
    void wrongGuesses(int n)
    {
        for (int i = 0; i < n; ++i) {
            guess({secret()[1], secret()[2], secret()[3], secret()[0]});
        }
    }

    TempDir dir;
    FakeWindow window;
    MainForm form{window};
};

TEST_F(Game, firstGuessWinShowsTheSecretBeforeTheBoxAndTheCountsAfterIt)
{
    const Code s = secret();
    guess(s);

    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].title, "Fastest Time");
    EXPECT_EQ(window.messages[0].text,
              "Congratulations! You Have the New Fastest Intermediate Time of 1");
    EXPECT_TRUE(window.messages[0].secretShown);
    EXPECT_EQ(window.messages[0].right, "");
    EXPECT_EQ(form.Speed(), 1);
    EXPECT_FALSE(board().inProgress());
    EXPECT_EQ(board().guess.cells, s); // the winning guess stays where it is
    EXPECT_EQ(board().guess.TxtRight + board().guess.TxtOop, "40");
    EXPECT_EQ(board().rowsInUse(), 0);
    EXPECT_EQ(dir.read("Interm.txt"), "\"1\"\r\n");
    EXPECT_FALSE(fs::exists(dir.path / "Begin.txt"));
}

TEST_F(Game, aWrongGuessMovesIntoTheNextRowVerbatimAndTheTenthLoses)
{
    const Code first{kWhite, secret()[0], QBColor(14), kWhite};
    guess(first);
    EXPECT_TRUE(board().rows[0].shown);
    EXPECT_FALSE(board().rows[1].shown);
    EXPECT_EQ(board().rows[0].cells, first); // white is copied as white
    EXPECT_EQ(board().rows[0].correct + "/" + board().rows[0].outOfPlace, "0/1");
    EXPECT_EQ(board().guess.cells, kBlank);
    EXPECT_EQ(board().guess.TxtRight + board().guess.TxtOop, "");
    EXPECT_EQ(window.focus, std::vector<FocusTarget>{FocusTarget::TA1});

    form.CmdCorrect_Click(); // nothing right at all still writes both counts
    EXPECT_EQ(board().rows[1].correct + "/" + board().rows[1].outOfPlace, "0/0");

    wrongGuesses(7);
    EXPECT_EQ(board().rowsInUse(), 9);
    EXPECT_TRUE(window.messages.empty());
    guess(first);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].title, "Game Over!");
    EXPECT_EQ(window.messages[0].text, "Sorry, You Lose!  To Play Again, Push Start.");
    EXPECT_TRUE(window.messages[0].secretShown);
    EXPECT_EQ(window.focus.back(), FocusTarget::CmdStart);
    EXPECT_EQ(board().guess.cells, first); // the tenth guess stays with its counts
    EXPECT_EQ(board().guess.TxtRight + board().guess.TxtOop, "01");
    EXPECT_FALSE(fs::exists(dir.path / "Interm.txt")); // a loss touches no record
}

TEST_F(Game, startClearsAGameInProgressButKeepsThePickedColour)
{
    form.TA_Click(2); // nothing picked yet: black
    EXPECT_EQ(board().guess.cells[1], kBlack);
    EXPECT_FALSE(window.cursor.has_value());
    wrongGuesses(5);
    form.Cmd_Click(12);
    form.TA_Click(2);
    form.mnuFileStart_Click();
    EXPECT_TRUE(board().inProgress());
    EXPECT_EQ(board().rowsInUse(), 0);
    for (const HistoryRow& row : board().rows) {
        EXPECT_EQ(row.cells, kBlank);
        EXPECT_EQ(row.correct + row.outOfPlace, "");
    }
    EXPECT_EQ(board().guess.cells, kBlank);
    EXPECT_EQ(window.cursor, 12);
    form.TA_Click(3);
    EXPECT_EQ(board().guess.cells[2], QBColor(12));
}

TEST_F(Game, anEqualResultIsNoRecordAndABetterOneReplacesIt)
{
    dir.write("Interm.txt", "\"6\"\r\n");
    wrongGuesses(5);
    guess(secret());
    EXPECT_EQ(lastTitle(), "Winner!");
    EXPECT_EQ(window.messages.back().text,
              "Congratulations!  You Win!  To Play Again, Push Start.");
    EXPECT_EQ(dir.read("Interm.txt"), "\"6\"\r\n");
    EXPECT_EQ(form.Best(), "\"6\"");
    EXPECT_EQ(form.Length(), 3);
    EXPECT_EQ(form.Fast(), "6\"");
    EXPECT_EQ(form.F(), 6);

    form.CmdStart_Click();
    wrongGuesses(4);
    guess(secret());
    EXPECT_EQ(window.messages.back().text,
              "Congratulations! You Have the New Fastest Intermediate Time of 5");
    EXPECT_EQ(dir.read("Interm.txt"), "\"5\"\r\n");
    EXPECT_EQ(form.Best(), "5");
}

TEST_F(Game, eachLevelKeepsItsOwnRecordUpToTheTenthGuess)
{
    form.mnuDifficulty_Click(0);
    guess(secret());
    EXPECT_EQ(window.messages.back().text,
              "Congratulations! You Have the New Beginner Fastest Time of 1");
    form.mnuDifficulty_Click(2);
    wrongGuesses(9);
    guess(secret());
    EXPECT_EQ(form.Speed(), 10);
    EXPECT_EQ(window.messages.back().text,
              "Congratulations! You Have the New Fastest Advanced Time of 10");
    EXPECT_EQ(dir.read("Begin.txt"), "\"1\"\r\n");
    EXPECT_EQ(dir.read("Advance.txt"), "\"10\"\r\n");
    EXPECT_FALSE(fs::exists(dir.path / "Interm.txt"));
}

TEST_F(Game, aFailedReadNeverReusesAnotherLevelsLine)
{
    dir.write("Begin.txt", "\"9\"\r\n");
    form.mnuDifficulty_Click(0);
    wrongGuesses(9); // Speed 10 does not beat 9
    guess(secret());
    EXPECT_EQ(form.Best(), "\"9\"");

    fs::create_directory(dir.path / "Interm.txt"); // unreadable
    form.mnuDifficulty_Click(1);
    guess(secret());
    EXPECT_EQ(form.Best(), "");
    EXPECT_EQ(form.F(), 0);
    EXPECT_EQ(lastTitle(), "Winner!");
    EXPECT_TRUE(fs::is_directory(dir.path / "Interm.txt"));
}

TEST_F(Game, aNewRecordThatCannotBeSavedIsSaidSo)
{
    dir.write("Interm.txt", "\"8\"\r\n");
    // While the congratulation is open, something puts a directory where the file was.
    window.onMessage = [&] {
        if (lastTitle() == "Fastest Time") {
            fs::remove(dir.path / "Interm.txt");
            fs::create_directory(dir.path / "Interm.txt");
        }
    };
    guess(secret());
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].title, "Tintwise");
    EXPECT_EQ(window.messages[1].text, "The new fastest time could not be saved.");
    EXPECT_EQ(board().guess.TxtRight, "4"); // the click still ends with the counts
}

TEST_F(Game, aFinishedGameIsScoredAgainButNeverWonAgain)
{
    guess(secret());
    const std::string saved = dir.read("Interm.txt");
    form.CmdCorrect_Click(); // right after the win
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(board().guess.TxtRight, "4");

    form.CmdStart_Click();
    wrongGuesses(10); // lost
    ASSERT_EQ(window.messages.size(), 2u);
    guess(secret()); // the shown secret, painted after the loss
    EXPECT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(board().guess.TxtRight + board().guess.TxtOop, "40");
    EXPECT_EQ(board().rowsInUse(), 9);
    EXPECT_EQ(dir.read("Interm.txt"), saved);
}

TEST_F(Game, viewAndResetReportThroughTheWindowsBoxes)
{
    form.mnuFastestBeginner_Click();
    EXPECT_EQ(window.messages.back().text, "No Fastest Beginner Time has been Established.");
    fs::create_directory(dir.path / "Interm.txt");
    form.mnuReset_Click();
    EXPECT_EQ(lastTitle(), "Tintwise");
    EXPECT_EQ(window.messages.back().text, "The fastest times could not be reset.");
}

struct StoredLine
{
    const char* name;
    std::string bytes;     // Interm.txt before a first-guess win
    const char* title;     // the box the win shows
    std::string afterward; // Interm.txt after it
};

class WinAgainst : public Game, public ::testing::WithParamInterface<StoredLine>
{
};

// The win path reads the line by the same rule as everywhere: it drops the first character
// and takes the number at the start of the rest.
TEST_P(WinAgainst, aFirstGuessWinReadsTheStoredLineByTheOneRule)
{
    dir.write("Interm.txt", GetParam().bytes);
    guess(secret());
    EXPECT_EQ(lastTitle(), GetParam().title);
    EXPECT_EQ(dir.read("Interm.txt"), GetParam().afterward);
}

INSTANTIATE_TEST_SUITE_P(
    Files, WinAgainst,
    ::testing::Values(StoredLine{"noRecord", "\"11\"\r\n", "Fastest Time", "\"1\"\r\n"},
                      // A bare 11 reads as 1, which no win beats; a bare 7 as 0.
                      StoredLine{"bareEleven", "11\r\n", "Winner!", "11\r\n"},
                      StoredLine{"bareSeven", "7", "Winner!", "7"}),
    [](const auto& info) { return std::string(info.param.name); });

class Levels : public Game, public ::testing::WithParamInterface<int>
{
};

TEST_P(Levels, choosingALevelMovesTheCheckShowsItsButtonsAndStartsAGame)
{
    const int index = GetParam();
    const int dif = 7 + 4 * index;
    wrongGuesses(3);
    form.Cmd_Click(14); // picked at any level, it stays picked
    form.mnuDifficulty_Click(index);
    EXPECT_EQ(form.Dif(), dif);
    EXPECT_EQ(window.visibleButtons(), dif);
    EXPECT_EQ(window.checked, (std::array<bool, 3>{index == 0, index == 1, index == 2}));
    EXPECT_EQ(board().rowsInUse(), 0);
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

INSTANTIATE_TEST_SUITE_P(AllThree, Levels, ::testing::Values(0, 1, 2));

TEST(FirstGame, startsAtIntermediateAndDependsOnlyOnTheWarmUpCount)
{
    auto firstSecret = [](const std::string& time) {
        FakeWindow window;
        window.time = time;
        MainForm form(window);
        form.Form_Load();
        EXPECT_EQ(form.Dif(), 11);
        EXPECT_EQ(window.visibleButtons(), 11);
        EXPECT_TRUE(form.board().inProgress());
        return form.board().secret.cells;
    };
    EXPECT_EQ(firstSecret("14:05:37"), firstSecret("09:05:12"));   // both count 5
    EXPECT_EQ(firstSecret("2:05:37 PM"), firstSecret("11:37:00")); // both count 37
    EXPECT_NE(firstSecret("14:05:37"), firstSecret("14:06:37"));
}

} // namespace
} // namespace tintwise::engine
