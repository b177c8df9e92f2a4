// app.cpp: start-up, the hand-over from the splash window, and the message loop.
#include "app.h"

#include "about_window.h"
#include "main_window.h"
#include "splash_window.h"

#include <objbase.h>
#include <ui/layout/main_window.h>

namespace tintwise::win32 {

App::App(HINSTANCE instance) : m_instance(instance)
{
    // The main window's class keeps its brush for the life of the program.
    const auto background = layout::frmMain().background.value_or(engine::kWhite);
    Form::registerClass(instance, MainWindow::kClassName, CreateSolidBrush(colorRef(background)));
    Form::registerClass(instance, SplashWindow::kClassName, GetSysColorBrush(COLOR_BTNFACE));
    Form::registerClass(instance, AboutWindow::kClassName, GetSysColorBrush(COLOR_BTNFACE));
}

App::~App() = default;

int App::run()
{
    SplashWindow::start(m_instance, [this] { showMainWindow(); });
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (m_main && m_main->translateAccelerator(message)) {
            continue;
        }
        if (!dispatchToForm(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

bool App::dispatchToForm(MSG& message)
{
    // Plain characters go straight to their control: a letter acts as a mnemonic only with
    // Alt, so a key typed while a button has the focus never presses another button.
    if (message.hwnd == nullptr || message.message == WM_CHAR) {
        return false;
    }
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const bool form = (m_main && root == m_main->hwnd()) || (m_about && root == m_about->hwnd());
    // The dialog manager gives a form Tab, Enter, Esc and the Alt mnemonics.
    return form && IsDialogMessageW(root, &message);
}

void App::showMainWindow()
{
    // The tooltips and the cursors' image list are common controls; the screen reader's
    // announcements and the shell's address handlers are COM components. Both are started only
    // now: the splash needs neither, and starting them is slow enough to delay it.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    m_main = std::make_unique<MainWindow>(m_instance, [this] { showAboutWindow(); });
    m_main->show();
}

void App::showAboutWindow()
{
    if (m_about == nullptr) {
        m_about = new AboutWindow(m_instance, [this] { m_about = nullptr; });
    }
    m_about->bringToFront();
}

} // namespace tintwise::win32
