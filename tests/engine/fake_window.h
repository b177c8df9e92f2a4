// fake_window.h: a WindowEffects that records every effect, for games played on plain data.
#pragma once

#include <array>
#include <engine/game_board.h>
#include <engine/window_effects.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tintwise::testing {

struct ShownMessage
{
    std::string title;
    std::string text;
    bool secretShown;  // what the board showed while the box was open
    std::string right; // TxtRight while the box was open
};

class FakeWindow : public engine::WindowEffects
{
public:
    std::array<bool, 15> paletteVisible{};
    std::array<bool, 3> checked{false, true, false}; // the menu is created with Intermediate
    std::vector<ShownMessage> messages;
    std::vector<engine::FocusTarget> focus;
    std::optional<engine::ColourIndex> cursor;
    std::filesystem::path directory;
    std::string time = "14:00:00";
    std::function<void()> onMessage; // runs while a box is "open"
    const engine::GameBoard* board = nullptr;

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
    void setFocus(engine::FocusTarget target) override { focus.push_back(target); }
    void setCursorColour(engine::ColourIndex k) override { cursor = k; }
    std::filesystem::path programDirectory() const override { return directory; }
    std::string timeOfDay() const override { return time; }

    int visibleButtons() const
    {
        int n = 0;
        for (bool v : paletteVisible) {
            n += v ? 1 : 0;
        }
        return n;
    }
};

} // namespace tintwise::testing
