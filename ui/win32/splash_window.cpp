// splash_window.cpp: the splash window's timer and the hand-over to the main window.
#include "splash_window.h"

#include <ui/layout/info_windows.h>

namespace tintwise::win32 {

namespace {

// A fixed frame with a close button and no caption text. As a tool window it stays out of the
// task bar; closing it is how the player ends the program before it starts.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;
constexpr UINT_PTR tmrSplash = 1;

} // namespace

void SplashWindow::start(HINSTANCE instance, std::function<void()> showMainWindow)
{
    (new SplashWindow(instance, std::move(showMainWindow)))->show();
}

SplashWindow::SplashWindow(HINSTANCE instance, std::function<void()> showMainWindow)
    : Form(layout::frmSplash()), m_showMainWindow(std::move(showMainWindow))
{
    create(instance, kClassName, kStyle, kExStyle);
    Form_Load();
}

void SplashWindow::Form_Load()
{
    SetTimer(m_hwnd, tmrSplash, static_cast<UINT>(layout::kSplashMilliseconds), nullptr);
}

void SplashWindow::tmrSplash_Timer()
{
    // The timer goes with the window; it fires once. The main window is shown before the
    // splash closes, so the program always has a window.
    KillTimer(m_hwnd, tmrSplash);
    auto showMainWindow = std::move(m_showMainWindow);
    m_showMainWindow = nullptr;
    if (showMainWindow) {
        showMainWindow();
    }
    DestroyWindow(m_hwnd);
}

LRESULT SplashWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == tmrSplash) {
            tmrSplash_Timer();
            return 0;
        }
        break;
    case WM_CLOSE:
        // Closed before the main window came: the program has no other window, and ends.
        ExitProcess(0);
    default:
        break;
    }
    return Form::handleMessage(message, wParam, lParam);
}

} // namespace tintwise::win32
