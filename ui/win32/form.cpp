// form.cpp: what all three windows share: creation, layout at a DPI, colours, and the keyboard.
#include "form.h"

#include "artwork.h"

#include <cassert>

namespace tintwise::win32 {

Form::Form(const layout::WindowLayout& layout) : m_layout(layout) {}

Form::~Form()
{
    if (m_hwnd != nullptr) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

void Form::registerClass(HINSTANCE instance, const wchar_t* className, HBRUSH background)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE | LR_SHARED));
    wc.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

void Form::create(HINSTANCE instance, const wchar_t* className, DWORD style, DWORD exStyle,
                  HMENU menu)
{
    m_instance = instance;
    CreateWindowExW(exStyle, className, widen(m_layout.caption).c_str(), style, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance, this);
    assert(m_hwnd != nullptr);
    m_dpi = GetDpiForWindow(m_hwnd);
    createControls();
    layoutControls();
    sizeAndCentre(m_hwnd, clientSize(m_layout, dpi()));
    // Focus marks from the start, not only once a key has been pressed: every window is used
    // from the keyboard as well as with the mouse.
    SendMessageW(m_hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void Form::show()
{
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    UpdateWindow(m_hwnd);
    SetForegroundWindow(m_hwnd);
}

void Form::layoutControls()
{
    const UINT windowDpi = dpi();
    m_windowFont = m_layout.font ? createFont(*m_layout.font, windowDpi) : createDialogFont(windowDpi);
    m_controlFonts.clear();
    m_pictures.clear();
    for (const layout::Control& c : m_layout.controls) {
        const HWND child = m_controls.at(c.id);
        HFONT font = m_windowFont.get();
        if (c.font) {
            font = (m_controlFonts[c.id] = createFont(*c.font, windowDpi)).get();
        }
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.kind == layout::Kind::PictureBox) {
            m_pictures[c.id] = loadLogo(m_instance, c.caption, windowDpi,
                                        GetSysColor(COLOR_BTNFACE));
        }
        const RECT r = deviceRect(c.twips, windowDpi);
        SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    onLayout();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

HWND Form::control(std::string_view name) const { return m_controls.at(m_layout.control(name).id); }

const layout::Control* Form::tableControl(HWND child) const
{
    const int id = GetDlgCtrlID(child);
    for (const layout::Control& c : m_layout.controls) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

HBRUSH Form::solidBrush(COLORREF colour)
{
    UniqueBrush& brush = m_brushes[colour];
    if (!brush) {
        brush.reset(CreateSolidBrush(colour));
    }
    return brush.get();
}

HBRUSH Form::backgroundBrush() const
{
    return reinterpret_cast<HBRUSH>(GetClassLongPtrW(m_hwnd, GCLP_HBRBACKGROUND));
}

void Form::focusControl(HWND target)
{
    m_lastFocus = target;
    if (GetActiveWindow() == m_hwnd) {
        SetFocus(target);
    }
}

LRESULT Form::controlColour(HDC dc, HWND child)
{
    const layout::Control* c = tableControl(child);
    LOGBRUSH background{};
    GetObjectW(backgroundBrush(), sizeof background, &background);
    if (c != nullptr && c->kind == layout::Kind::Line) {
        return reinterpret_cast<LRESULT>(c->background ? solidBrush(colorRef(*c->background))
                                                       : GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    SetTextColor(dc, c != nullptr && c->textColour ? colorRef(*c->textColour)
                                                   : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, background.lbColor);
    return reinterpret_cast<LRESULT>(backgroundBrush());
}

HWND Form::enterButton() const
{
    const HWND focus = GetFocus();
    const layout::Control* c =
        focus != nullptr && IsChild(m_hwnd, focus) ? tableControl(focus) : nullptr;
    if (c != nullptr &&
        (c->kind == layout::Kind::CommandButton || c->kind == layout::Kind::PaletteButton)) {
        return focus;
    }
    return defaultButton();
}

void Form::showDefaultButton()
{
    // As in any Windows dialog: the push button that Enter would press shows it.
    const HWND pressed = enterButton();
    for (const layout::Control& c : m_layout.controls) {
        if (c.kind != layout::Kind::CommandButton) {
            continue;
        }
        const HWND button = m_controls.at(c.id);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
        const DWORD type = button == pressed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((style & BS_TYPEMASK) != type) {
            SendMessageW(button, BM_SETSTYLE, (style & 0xFFFF & ~BS_TYPEMASK) | type, TRUE);
        }
    }
}

void Form::changeDpi(UINT newDpi, const RECT& suggested)
{
    // Where Windows suggests, at the size the client area takes at the new DPI.
    m_dpi = newDpi;
    layoutControls();
    const SIZE outer = outerSize(m_hwnd, clientSize(m_layout, newDpi), newDpi);
    SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NEXTDLGCTL: {
        // What the dialog manager asks of the window for Tab and Shift+Tab.
        const HWND next = LOWORD(lParam) != 0
                              ? reinterpret_cast<HWND>(wParam)
                              : GetNextDlgTabItem(m_hwnd, GetFocus(), wParam != 0);
        if (next != nullptr) {
            focusControl(next);
        }
        return 0;
    }
    case WM_ACTIVATE:
        // A plain window hands the keyboard to itself on activation: give it back to the
        // control that last had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(m_hwnd, focus)) {
                m_lastFocus = focus;
            }
        } else if (HIWORD(wParam) == 0) {
            const bool usable = m_lastFocus != nullptr && IsWindow(m_lastFocus) &&
                                IsWindowVisible(m_lastFocus);
            SetFocus(usable ? m_lastFocus : GetNextDlgTabItem(m_hwnd, nullptr, FALSE));
        }
        return 0;
    case DM_GETDEFID:
        // Asked by the dialog manager when Enter is pressed.
        if (const HWND button = enterButton()) {
            return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
        }
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_SETFOCUS || HIWORD(wParam) == EN_SETFOCUS) {
            showDefaultButton();
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        return controlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_STATIC) {
            drawPicture(item);
            return TRUE;
        }
        break;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // The logos are laid over the face colour, and the dialog font is the system's.
        layoutControls();
        break;
    case WM_DPICHANGED:
        changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Form::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->m_hwnd = nullptr;
        form->onDestroyed(); // may delete the form: nothing of it is touched after this
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return form->handleMessage(message, wParam, lParam);
}

} // namespace tintwise::win32
