// window_effects.h: what the main window's procedures need from a window system.
#pragma once

#include "palette.h"

#include <records/native_path.h>
#include <string>
#include <string_view>

namespace tintwise::engine {

// The two controls the game ever gives the keyboard focus to.
enum class FocusTarget
{
    TA1,
    CmdStart
};

// The board itself is plain data that the window draws; these are the effects that are not
// board state. A Qt window implements them for play, a recording fake for tests.
class WindowEffects
{
public:
    virtual ~WindowEffects() = default;

    // Shows or hides palette button Cmd<k>, k = 0..14.
    virtual void setPaletteButtonVisible(int k, bool shown) = 0;

    // Sets or clears the check mark of level entry mnuDifficulty(index), index = 0..2.
    virtual void setDifficultyChecked(int index, bool checked) = 0;

    // A modal box with an OK button only and no icon; returns when the player has closed it.
    // Texts are single-byte (Latin-1): the game's own texts are ASCII, and a line read from a
    // record file is shown byte for byte. The window draws the current board before it opens.
    virtual void showMessage(std::string_view title, std::string_view text) = 0;

    virtual void setFocus(FocusTarget target) = 0;

    // The window cursor becomes the disc of palette index k (0..14).
    virtual void setCursorColour(ColourIndex k) = 0;

    // The directory of the program's executable, where the record files live.
    virtual records::NativePath programDirectory() const = 0;

    // The time of day as text in the user's time format.
    virtual std::string timeOfDay() const = 0;
};

} // namespace tintwise::engine
