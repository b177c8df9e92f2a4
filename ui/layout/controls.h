// controls.h: the toolkit-free description of a window and its controls, which every front end
// builds its windows from, so that a position, a name or a text is written once.
#pragma once

#include <engine/palette.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintwise::layout {

// Windows were designed in twips, 1/1440 inch: 15 to a pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// Logical pixels (96 dots per inch) of a twips value, to the nearest pixel.
constexpr int pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// A rectangle in twips, from the top-left corner of the window's client area.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class Kind
{
    CommandButton, // a push button with a caption and an "&" mnemonic
    PaletteButton, // a square push button whose whole face is its colour
    Cell,          // a board box that is a plain colour (secret, guess and history cells)
    CountBox,      // a board box that shows a count as text
    Label,         // text on the window's background
    PictureBox,    // an image inside a one-pixel sunken frame
    Link,          // a label that opens a web address
    Line,          // a rule across the window, its height the line's thickness
};

enum class Align
{
    Left,
    Centre,
};

struct Font
{
    std::string_view family;
    double points = 0;
    bool bold = false;
    bool underline = false;
    bool serif = false; // the kind of face that stands in where the family is missing
};

struct Control
{
    int id = 0;       // unique within its window; the control's ID on Windows
    std::string name; // "CmdStart", "TA1", "One1", "lblLink"
    Kind kind = Kind::Label;
    TwipsRect twips;
    std::string caption;        // a button's or label's text with its "&" marks; a picture's image
    std::string toolTip;        // empty: none
    std::string accessibleName; // what a screen reader calls it; empty: the caption
    bool shown = true;          // when the window is created
    std::optional<engine::ColourValue> background; // empty: the platform's own
    std::optional<engine::ColourValue> textColour; // empty: the platform's own
    std::optional<Font> font;                      // empty: the window's font
    Align align = Align::Left;
    bool wordWrap = false;
};

struct WindowLayout
{
    std::string_view name;    // "frmMain"
    std::string caption;      // the title bar's text
    int clientWidth = 0;      // twips
    int clientHeight = 0;     // twips
    std::optional<engine::ColourValue> background;
    std::optional<Font> font; // empty: the platform's default dialog font
    std::vector<Control> controls; // in keyboard focus order

    // The control of that name; the name must be one of the window's.
    const Control& control(std::string_view controlName) const;
};

// Black or white, whichever contrasts more with face, for a focus mark drawn on it.
engine::ColourValue focusMarkColour(engine::ColourValue face);

// The text a label shows for a caption with "&" marks: "&&" is one "&", and a single "&" only
// marks an access key.
std::string captionText(std::string_view caption);

} // namespace tintwise::layout
