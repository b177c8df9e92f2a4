// form.h: a top-level window built from its table: its controls, their fonts and colours, the
// keyboard between them, and its layout at the window's DPI.
#pragma once

#include "win32_support.h"

#include <map>
#include <string_view>
#include <ui/layout/controls.h>
#include <vector>

namespace tintwise::win32 {

class Form
{
public:
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND hwnd() const { return m_hwnd; }
    // The DPI the window is laid out for: its monitor's, as the last WM_DPICHANGED gave it.
    UINT dpi() const { return m_dpi; }

    // Registers a window class whose windows are Forms; the program's icon is resource 1.
    static void registerClass(HINSTANCE instance, const wchar_t* className, HBRUSH background);

    // Shows the window and gives it the keyboard.
    void show();

protected:
    explicit Form(const layout::WindowLayout& layout);

    // Creates the window hidden, with its menu bar if any, then the table's controls in focus
    // order; places them, and centres the window.
    void create(HINSTANCE instance, const wchar_t* className, DWORD style, DWORD exStyle,
                HMENU menu = nullptr);

    // The window's messages; what a form does not handle goes to the shared handling below.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs after the controls have been placed for a DPI, the first time and after each change.
    virtual void onLayout() {}

    // Runs once the window is gone; a form that owns itself may delete itself here.
    virtual void onDestroyed() {}

    // The button that Enter presses while no button has the focus; none unless a form says.
    virtual HWND defaultButton() const { return nullptr; }

    // The background behind the labels: the window class's brush.
    virtual HBRUSH backgroundBrush() const;

    HWND control(std::string_view name) const;
    const layout::Control* tableControl(HWND control) const;
    HBRUSH solidBrush(COLORREF colour);
    HINSTANCE instance() const { return m_instance; }
    HFONT windowFont() const { return m_windowFont.get(); }

    // Puts the focus on control now if the window is active, else when it next is.
    void focusControl(HWND control);

    const layout::WindowLayout& m_layout;
    HWND m_hwnd = nullptr;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK linkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR form);
    void createControls();
    void layoutControls();
    void changeDpi(UINT newDpi, const RECT& suggested);
    HWND enterButton() const;
    void showDefaultButton();
    void paintLink(HWND link, HDC dc);
    void drawPicture(const DRAWITEMSTRUCT& item);
    LRESULT controlColour(HDC dc, HWND control);

    HINSTANCE m_instance = nullptr;
    UINT m_dpi = 96;
    std::map<int, HWND> m_controls;  // by control ID
    HWND m_lastFocus = nullptr;      // the control that gets the focus back on activation
    UniqueFont m_windowFont;
    std::map<int, UniqueFont> m_controlFonts; // those that set their own
    std::map<int, UniqueBitmap> m_pictures;
    std::map<COLORREF, UniqueBrush> m_brushes;
};

} // namespace tintwise::win32
