// win32_support.h: what every window of the Windows front end shares: owned handles, UTF-16
// text, and twips turned into device pixels at a window's DPI.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <engine/palette.h>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <ui/layout/controls.h>

namespace tintwise::win32 {

// Owned handles, each released by the call that matches its kind.
template <typename Handle, auto release> struct HandleDeleter
{
    void operator()(Handle handle) const { release(handle); }
};
template <typename Handle, auto release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, release>>;

using UniqueFont = UniqueHandle<HFONT, DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObject>;
using UniquePen = UniqueHandle<HPEN, DeleteObject>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueCursor = UniqueHandle<HCURSOR, DestroyCursor>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageList_Destroy>;
using UniqueAccelerators = UniqueHandle<HACCEL, DestroyAcceleratorTable>;
using UniqueMemoryDC = UniqueHandle<HDC, DeleteDC>;

// The table's texts are UTF-8; the game's message texts are single bytes, shown as Latin-1.
std::wstring widen(std::string_view utf8);
std::wstring widenLatin1(std::string_view bytes);
std::string narrow(std::wstring_view text);

// Text in the system's ANSI code page, as the registry's "A" calls give it.
std::wstring widenAnsi(std::string_view text);

// The game's colour values are laid out 0x00BBGGRR, as a COLORREF is.
constexpr COLORREF colorRef(engine::ColourValue value) { return static_cast<COLORREF>(value); }

// Device pixels of a length in logical pixels (96 to the inch).
inline int scaled(int logical, UINT dpi) { return MulDiv(logical, static_cast<int>(dpi), 96); }

// A control's rectangle in device pixels: its edges in logical pixels, each scaled, so that
// neighbours that meet or overlap by a pixel still do at every DPI.
RECT deviceRect(const layout::TwipsRect& twips, UINT dpi);

// A window's client size in device pixels.
SIZE clientSize(const layout::WindowLayout& window, UINT dpi);

// The font the table names at dpi, always an outline face so that it scales with the DPI; where
// the face is missing, the font mapper stands in one of its kind.
UniqueFont createFont(const layout::Font& font, UINT dpi);

// The platform's dialog font (the message font) at dpi.
UniqueFont createDialogFont(UINT dpi);

// A dotted frame of the given thickness just inside rect: the keyboard focus on a control that
// draws itself, in a colour that stands out on what it surrounds.
void drawFocusFrame(HDC dc, const RECT& rect, COLORREF colour, int thickness);

// Gives a top-level window the outer size that holds a client area of `client`, then centres
// it, frame included, in the work area of its monitor.
void sizeAndCentre(HWND window, SIZE client);

// The outer size of a window with that client size, style, menu and DPI.
SIZE outerSize(HWND window, SIZE client, UINT dpi);

} // namespace tintwise::win32
