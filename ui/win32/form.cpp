// form.cpp: building a window's controls from its table, and what all three windows share.
#include "form.h"

#include "artwork.h"

#include <cassert>

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
}

void Form::show()
{
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    UpdateWindow(m_hwnd);
    SetForegroundWindow(m_hwnd);
}

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
    const HDC source = CreateCompatibleDC(item.hDC);
    const HGDIOBJ old = SelectObject(source, picture->second.get());
    BitBlt(item.hDC, (box.left + box.right - bitmap.bmWidth) / 2,
           (box.top + box.bottom - bitmap.bmHeight) / 2, bitmap.bmWidth, bitmap.bmHeight, source,
           0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
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
