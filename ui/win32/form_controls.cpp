// form_controls.cpp: a form's controls made from its table, and the two kinds that it draws
// itself: the picture boxes and the link.
#include "form.h"

#include <ui/layout/controls.h>

namespace tintwise::win32 {

namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_GROUP;

// Each control its own group, so the arrow keys never carry the focus onto a label.
DWORD controlStyle(const layout::Control& c)
{
    const DWORD text = c.align == layout::Align::Centre ? SS_CENTER
                       : c.wordWrap                     ? SS_LEFT
                                                        : SS_LEFTNOWORDWRAP;
    switch (c.kind) {
    case layout::Kind::CommandButton:
        return BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP; // BS_NOTIFY: tells when it takes the focus
    case layout::Kind::PaletteButton:
        return BS_OWNERDRAW | BS_NOTIFY | WS_TABSTOP;
    case layout::Kind::Cell:
    case layout::Kind::CountBox:
        return ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP;
    case layout::Kind::Label:
        return text; // "&&" shows as "&", as the captions are written
    case layout::Kind::Link:
        return SS_CENTER | SS_NOTIFY | SS_NOPREFIX | WS_TABSTOP;
    case layout::Kind::PictureBox:
        return SS_OWNERDRAW;
    case layout::Kind::Line:
        return SS_LEFT;
    }
    return 0;
}

const wchar_t* controlClass(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::CommandButton:
    case layout::Kind::PaletteButton:
        return WC_BUTTONW;
    case layout::Kind::Cell:
    case layout::Kind::CountBox:
        return WC_EDITW;
    default:
        return WC_STATICW;
    }
}

// What the control's window text is: what it shows, or what a screen reader reads.
std::string_view controlText(const layout::Control& c)
{
    switch (c.kind) {
    case layout::Kind::PaletteButton:
        return c.accessibleName;
    case layout::Kind::Cell:
    case layout::Kind::CountBox:
    case layout::Kind::PictureBox:
    case layout::Kind::Line:
        return {};
    default:
        return c.caption;
    }
}

bool plainKey(const MSG& message)
{
    return message.message == WM_KEYDOWN &&
           (message.wParam == VK_RETURN || message.wParam == VK_SPACE) &&
           GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}

} // namespace

void Form::createControls()
{
    for (const layout::Control& c : m_layout.controls) {
        if (c.kind == layout::Kind::Cell || c.kind == layout::Kind::CountBox) {
            // A screen reader names a text box by the label just before it.
            CreateWindowExW(0, WC_STATICW, widen(c.accessibleName).c_str(),
                            kChildStyle | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, m_hwnd, nullptr,
                            m_instance, nullptr);
        }
        const HWND child = CreateWindowExW(
            0, controlClass(c.kind), widen(controlText(c)).c_str(),
            kChildStyle | controlStyle(c) | (c.shown ? WS_VISIBLE : 0), 0, 0, 0, 0, m_hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), m_instance, nullptr);
        m_controls[c.id] = child;
        if (c.kind == layout::Kind::Link) {
            SetWindowSubclass(child, linkProc, 0, reinterpret_cast<DWORD_PTR>(this));
        }
    }
}

void Form::drawPicture(const DRAWITEMSTRUCT& item)
{
    // A one-pixel sunken frame, the image filling what it holds.
    const RECT& box = item.rcItem;
    const int edge = scaled(1, dpi());
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_3DSHADOW));
    const RECT light{box.left + edge, box.top + edge, box.right, box.bottom};
    FillRect(item.hDC, &light, GetSysColorBrush(COLOR_3DHILIGHT));
    const RECT inside{box.left + edge, box.top + edge, box.right - edge, box.bottom - edge};
    FillRect(item.hDC, &inside, GetSysColorBrush(COLOR_BTNFACE));
    const auto picture = m_pictures.find(static_cast<int>(item.CtlID));
    BITMAP bitmap{};
    if (picture == m_pictures.end() || !picture->second ||
        GetObjectW(picture->second.get(), sizeof bitmap, &bitmap) == 0) {
        return;
    }
    const UniqueMemoryDC source(CreateCompatibleDC(item.hDC));
    const HGDIOBJ old = SelectObject(source.get(), picture->second.get());
    BitBlt(item.hDC, (box.left + box.right - bitmap.bmWidth) / 2,
           (box.top + box.bottom - bitmap.bmHeight) / 2, bitmap.bmWidth, bitmap.bmHeight,
           source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), old); // the bitmap must not be selected when it is deleted
}

void Form::paintLink(HWND link, HDC dc)
{
    RECT box{};
    GetClientRect(link, &box);
    LOGBRUSH background{};
    GetObjectW(backgroundBrush(), sizeof background, &background);
    FillRect(dc, &box, backgroundBrush());
    const layout::Control* c = tableControl(link);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0)));
    SetTextColor(dc, c != nullptr && c->textColour ? colorRef(*c->textColour)
                                                   : GetSysColor(COLOR_HOTLIGHT));
    SetBkMode(dc, TRANSPARENT);
    const std::wstring text = widen(c != nullptr ? c->caption : std::string());
    constexpr UINT kFormat = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, kFormat);
    if (GetFocus() == link) {
        // Around the text rather than the whole label, which is much wider than the address.
        RECT extent = box;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, kFormat | DT_CALCRECT);
        const int shift = (box.right - box.left - (extent.right - extent.left)) / 2;
        OffsetRect(&extent, shift, 0);
        InflateRect(&extent, scaled(2, dpi()), 0);
        IntersectRect(&extent, &extent, &box);
        drawFocusFrame(dc, extent, colorRef(layout::focusMarkColour(
                                       static_cast<engine::ColourValue>(background.lbColor))),
                       scaled(1, dpi()));
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK Form::linkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data)
{
    auto* form = reinterpret_cast<Form*>(data);
    switch (message) {
    case WM_GETDLGCODE:
        // Enter and Space open the link, rather than press the window's default button.
        if (lParam != 0 && plainKey(*reinterpret_cast<const MSG*>(lParam))) {
            return DLGC_WANTMESSAGE;
        }
        break;
    case WM_KEYDOWN:
        if (plainKey(MSG{link, message, wParam, lParam, 0, {}})) {
            if ((lParam & (1 << 30)) == 0) { // held down, it opens once
                SendMessageW(GetParent(link), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED),
                             reinterpret_cast<LPARAM>(link));
            }
            return 0;
        }
        break;
    case WM_SETFOCUS:
        form->showDefaultButton();
        InvalidateRect(link, nullptr, TRUE);
        break;
    case WM_KILLFOCUS:
        InvalidateRect(link, nullptr, TRUE);
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(link, &paint);
        form->paintLink(link, dc);
        EndPaint(link, &paint);
        return 0;
    }
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_NCDESTROY:
        RemoveWindowSubclass(link, linkProc, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(link, message, wParam, lParam);
}

} // namespace tintwise::win32
