// recording_window.h: a window for the engine's tests that records what the form asks of it,
// and the player's moves on the board.
#pragma once

#include <engine/main_form.h>
#include <filesystem>
#include <functional>
#include <vector>

namespace tintwise::testing {

struct RecordingWindow : engine::WindowEffects
{
    explicit RecordingWindow(std::filesystem::path folder = {}, std::string timeOfDay = "14:00:00")
        : directory(std::move(folder)), time(std::move(timeOfDay))
    {
    }

    std::filesystem::path directory;
    std::string time;
    std::array<bool, 15> buttons{};
    std::array<bool, 3> checked{false, true, false}; // the menu starts at Intermediate
    std::vector<std::string> boxes;                  // "title: text" of every box shown
    std::vector<engine::FocusTarget> focus;
    std::function<void()> onBox; // runs while the latest box is open

    void setPaletteButtonVisible(int k, bool shown) override { buttons.at(k) = shown; }
    void setDifficultyChecked(int index, bool on) override { checked.at(index) = on; }
    void showMessage(std::string_view title, std::string_view text) override
    {
        boxes.push_back(std::string(title) + ": " + std::string(text));
        if (onBox) {
            onBox();
        }
    }
    void setFocus(engine::FocusTarget target) override { focus.push_back(target); }
    void setCursorColour(engine::ColourIndex) override {}
    records::NativePath programDirectory() const override { return directory; }
    std::string timeOfDay() const override { return time; }
};

// Picks each colour on the palette and paints it into its cell, as the player does, then asks
// for the counts. White cannot be picked, so a white cell is left as it is.
inline void guess(engine::MainForm& form, const engine::Code& code)
{
    for (int n = 1; n <= engine::kCodeLength; ++n) {
        if (code[n - 1] != engine::kWhite) {
            form.Cmd_Click(engine::colourIndexOf(code[n - 1]));
            form.TA_Click(n);
        }
    }
    form.CmdCorrect_Click();
}

// Guesses holding every secret colour, none in its place.
inline void wrongGuesses(engine::MainForm& form, int n)
{
    for (const engine::Code& s = form.board().secret.cells; n > 0; --n) {
        guess(form, {s[1], s[2], s[3], s[0]});
    }
}

// Wins with guess number n (1..10).
inline void winOnGuess(engine::MainForm& form, int n)
{
    wrongGuesses(form, n - 1);
    guess(form, form.board().secret.cells);
}

} // namespace tintwise::testing
