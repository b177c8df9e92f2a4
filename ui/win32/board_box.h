// board_box.h: a box of the board, a plain colour or a count, and a palette button's face.
#pragma once

#include "win32_support.h"

#include <engine/palette.h>
#include <functional>
#include <string>
#include <string_view>

namespace tintwise::win32 {

// A read-only EDIT control that the game draws itself. To a screen reader it is a read-only text
// box named by the label before it, whose text is what the box shows: a count as drawn, or the
// cell's colour name ("Empty" for white); nothing while hidden, so the hidden secret cannot be
// read out. It takes the keyboard focus but no typing, and shows no caret or selection.
class BoardBox
{
public:
    enum class Kind
    {
        Cell,
        Count,
    };

    BoardBox() = default;
    BoardBox(const BoardBox&) = delete;
    BoardBox& operator=(const BoardBox&) = delete;

    // Takes over the drawing and input of `edit`. A count box is drawn on `background`. onClick
    // runs on a click, and on Space or Enter while the box has the focus; boxes without one
    // react to nothing.
    void attach(HWND edit, Kind kind, COLORREF background, std::function<void()> onClick = {});

    // Shows the board's value; repaints, and tells screen readers, only what changed.
    void show(engine::ColourValue colour, std::string_view count, bool shown);

    HWND hwnd() const { return m_hwnd; }
    COLORREF fill() const;

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR box);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HDC dc) const;
    std::wstring spokenText() const;

    HWND m_hwnd = nullptr;
    Kind m_kind = Kind::Cell;
    COLORREF m_background = 0;
    std::function<void()> m_onClick;
    engine::ColourValue m_colour = engine::kWhite;
    std::wstring m_count;
    bool m_shown = false;
    bool m_pressed = false;
};

// A palette button: its whole face its colour inside a dark border, which is thicker while it
// is pressed; with the keyboard focus, a dotted frame in black or white, whichever shows.
void drawPaletteButton(const DRAWITEMSTRUCT& item, engine::ColourValue face, UINT dpi);

} // namespace tintwise::win32
