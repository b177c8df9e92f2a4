// board_box.cpp: drawing, clicks and the screen-reader text of the board's boxes, and the
// palette buttons' faces.
#include "board_box.h"

#include <ui/layout/announcements.h>
#include <ui/layout/main_window.h>

namespace tintwise::win32 {

namespace {

constexpr COLORREF kBorder = RGB(0x40, 0x40, 0x40);
constexpr COLORREF kPressedBorder = RGB(0x20, 0x20, 0x20);

// Space or Enter without Ctrl, Alt or Shift, which may be somebody's shortcut.
bool isPress(UINT message, WPARAM key)
{
    return message == WM_KEYDOWN && (key == VK_SPACE || key == VK_RETURN) &&
           GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}

void frame(HDC dc, RECT box, COLORREF colour, int thickness)
{
    const UniqueBrush brush(CreateSolidBrush(colour));
    for (int i = 0; i < thickness; ++i) {
        FrameRect(dc, &box, brush.get());
        InflateRect(&box, -1, -1);
    }
}

} // namespace

void BoardBox::attach(HWND edit, Kind kind, COLORREF background, std::function<void()> onClick)
{
    m_hwnd = edit;
    m_kind = kind;
    m_background = background;
    m_onClick = std::move(onClick);
    m_shown = IsWindowVisible(edit) != FALSE;
    SetWindowSubclass(edit, subclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SetWindowTextW(edit, spokenText().c_str());
}

COLORREF BoardBox::fill() const { return m_kind == Kind::Cell ? colorRef(m_colour) : m_background; }

std::wstring BoardBox::spokenText() const
{
    if (!m_shown) {
        return {};
    }
    return m_kind == Kind::Count ? m_count : widen(layout::colourText(m_colour));
}

void BoardBox::show(engine::ColourValue colour, std::string_view count, bool shown)
{
    const std::wstring before = spokenText();
    const bool repaint = colour != m_colour || widen(count) != m_count;
    m_colour = colour;
    m_count = widen(count);
    const bool visibility = shown != m_shown;
    m_shown = shown;
    const std::wstring now = spokenText();
    if (now != before) {
        SetWindowTextW(m_hwnd, now.c_str());
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hwnd, OBJID_CLIENT, CHILDID_SELF);
    }
    if (visibility) {
        ShowWindow(m_hwnd, shown ? SW_SHOWNA : SW_HIDE);
    }
    if (repaint || now != before) {
        InvalidateRect(m_hwnd, nullptr, FALSE);
    }
}

void BoardBox::paint(HDC dc) const
{
    RECT box{};
    GetClientRect(m_hwnd, &box);
    const UINT dpi = GetDpiForWindow(m_hwnd);
    const COLORREF background = fill();
    FillRect(dc, &box, UniqueBrush(CreateSolidBrush(background)).get());
    frame(dc, box, GetSysColor(COLOR_3DSHADOW), scaled(1, dpi));

    if (m_kind == Kind::Count && !m_count.empty()) {
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0)));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkMode(dc, TRANSPARENT);
        RECT text = box;
        DrawTextW(dc, m_count.c_str(), static_cast<int>(m_count.size()), &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    if (GetFocus() == m_hwnd) {
        // A cell can hold any colour, black and the system's highlight included.
        RECT mark = box;
        InflateRect(&mark, -scaled(2, dpi), -scaled(2, dpi));
        drawFocusFrame(dc, mark,
                       colorRef(layout::focusMarkColour(static_cast<engine::ColourValue>(background))),
                       scaled(1, dpi));
    }
}

LRESULT BoardBox::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(m_hwnd, &ps);
        paint(dc);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        // Enter paints a focused cell rather than go to the window; Tab still moves on.
        if (lParam != 0 && m_onClick) {
            const auto& key = *reinterpret_cast<const MSG*>(lParam);
            if (isPress(key.message, key.wParam)) {
                return DLGC_WANTMESSAGE;
            }
        }
        return DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // Not passed on: the edit control would show its caret. The window still hears of it.
        InvalidateRect(m_hwnd, nullptr, FALSE);
        if (message == WM_SETFOCUS) {
            SendMessageW(GetParent(m_hwnd), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(m_hwnd), EN_SETFOCUS),
                         reinterpret_cast<LPARAM>(m_hwnd));
        }
        return 0;
    case WM_KEYDOWN:
        // Held down, a key paints once.
        if (isPress(message, wParam) && m_onClick && (lParam & (1 << 30)) == 0) {
            m_onClick();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(m_hwnd);
        SetCapture(m_hwnd);
        m_pressed = true;
        return 0;
    case WM_LBUTTONUP:
        // Like a button: the click counts when let go over the box it went down on.
        if (m_pressed) {
            m_pressed = false;
            ReleaseCapture();
            RECT box{};
            GetClientRect(m_hwnd, &box);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (PtInRect(&box, at) && m_onClick) {
                m_onClick();
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        m_pressed = false;
        return 0;
    // Nothing in a box can be typed, selected, copied or pasted.
    case WM_KEYUP:
    case WM_CHAR:
    case WM_MOUSEMOVE:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_CONTEXTMENU:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case EM_SETSEL:
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(m_hwnd, subclassProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK BoardBox::subclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR box)
{
    return reinterpret_cast<BoardBox*>(box)->handle(message, wParam, lParam);
}

void drawPaletteButton(const DRAWITEMSTRUCT& item, engine::ColourValue face, UINT dpi)
{
    FillRect(item.hDC, &item.rcItem, UniqueBrush(CreateSolidBrush(colorRef(face))).get());
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    // The focus shows whatever the system's keyboard-cue setting: every control shows it.
    if ((item.itemState & ODS_FOCUS) != 0) {
        drawFocusFrame(item.hDC, item.rcItem, colorRef(layout::focusMarkColour(face)),
                       scaled(2, dpi));
    } else {
        frame(item.hDC, item.rcItem, pressed ? kPressedBorder : kBorder,
              scaled(pressed ? 2 : 1, dpi));
    }
}

} // namespace tintwise::win32
