// about_window.cpp: the about window's buttons, link and system-information launcher.
#include "about_window.h"

#include <registry/key_value.h>
#include <registry/sys_info.h>
#include <shellapi.h>
#include <ui/layout/info_windows.h>

namespace tintwise::win32 {

namespace {

// A fixed frame with a close button, neither minimise nor maximise; a tool window stays out of
// the task bar.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

// Registry texts are in the system's ANSI code page.
bool startProgram(const std::string& path)
{
    // A NUL would cut the path short, and the program started would not be the one named.
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    const std::wstring program = widenAnsi(path);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool isNormalFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(widenAnsi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                          FILE_ATTRIBUTE_SYSTEM)) == 0;
}

} // namespace

AboutWindow::AboutWindow(HINSTANCE instance, std::function<void()> onClosed)
    : Form(layout::frmAbout()), m_registry(registry::makeSystemRegistry()),
      m_onClosed(std::move(onClosed))
{
    create(instance, kClassName, kStyle, kExStyle);
    m_cmdOK = control("cmdOK");
    Form_Load();
    // "OK" comes first in the focus order and has the focus when the window opens.
    focusControl(m_cmdOK);
}

void AboutWindow::bringToFront()
{
    if (IsIconic(m_hwnd)) {
        ShowWindow(m_hwnd, SW_RESTORE);
    }
    show();
    BringWindowToTop(m_hwnd);
}

void AboutWindow::Form_Load() { SetWindowTextW(m_hwnd, widen(m_layout.caption).c_str()); }

void AboutWindow::cmdOK_Click() { DestroyWindow(m_hwnd); }

void AboutWindow::cmdSysInfo_Click() { StartSysInfo(); }

// The address opens in the desktop's own program, shown normally.
void AboutWindow::cmdSupport_Click()
{
    ShellExecuteW(m_hwnd, nullptr, widen(layout::kSupportAddress).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void AboutWindow::lblLink_Click()
{
    ShellExecuteW(m_hwnd, nullptr, widen(layout::kWebAddress).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void AboutWindow::StartSysInfo()
{
    if (registry::startSysInfoFromRegistry(*m_registry, {startProgram, isNormalFile})) {
        return;
    }
    MessageBoxW(m_hwnd, widen(layout::kSysInfoUnavailableText).c_str(),
                widen(layout::kAppTitle).c_str(), MB_OK);
}

bool AboutWindow::GetKeyValue(registry::RegistryRoot KeyRoot, const std::string& KeyName,
                              const std::string& SubKeyRef, std::string& KeyVal)
{
    return registry::GetKeyValue(*m_registry, KeyRoot, KeyName, SubKeyRef, KeyVal);
}

LRESULT AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const layout::Control* c = tableControl(reinterpret_cast<HWND>(lParam));
        if (id == IDOK || id == IDCANCEL) { // Enter and Esc
            cmdOK_Click();
            return 0;
        }
        // The link's STN_CLICKED is BN_CLICKED; a double click is two clicks.
        if (c == nullptr || (HIWORD(wParam) != BN_CLICKED && HIWORD(wParam) != BN_DOUBLECLICKED)) {
            break;
        }
        if (c->name == "cmdOK") {
            cmdOK_Click();
        } else if (c->name == "cmdSysInfo") {
            cmdSysInfo_Click();
        } else if (c->name == "cmdSupport") {
            cmdSupport_Click();
        } else if (c->name == "lblLink") {
            lblLink_Click();
        }
        return 0;
    }
    case WM_CLOSE:
        cmdOK_Click();
        return 0;
    default:
        break;
    }
    return Form::handleMessage(message, wParam, lParam);
}

void AboutWindow::onDestroyed()
{
    auto onClosed = std::move(m_onClosed);
    delete this;
    if (onClosed) {
        onClosed();
    }
}

} // namespace tintwise::win32
