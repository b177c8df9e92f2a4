// harness.h: the Windows game under Wine as a player meets it: started alone from a fresh folder,
// driven by real input (SendInput), and read back through Win32, the screen's pixels and the
// hook in its thread.
#pragma once

#include <algorithm>
#include <chrono>
#include <engine/palette.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace tintwise::win32test {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A check that does not hold ends the scenario it is in.
inline void check(bool ok, const std::string& what)
{
    if (!ok) {
        throw std::runtime_error(what);
    }
}

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

inline std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(no file)";
}

// Polls seen() until it gives want; fails naming what was awaited and what was seen last.
inline void waitFor(const std::string& what, const std::string& want,
                    const std::function<std::string()>& seen)
{
    const auto start = Clock::now();
    std::string last;
    while ((last = seen()) != want && secondsSince(start) < 5) {
        Sleep(10);
    }
    check(last == want, what + ": expected \"" + want + "\", saw \"" + last + "\"");
}

inline void waitUntil(const std::string& what, const std::function<bool()>& holds)
{
    waitFor(what, "true", [&] { return std::string(holds() ? "true" : "false"); });
}

inline POINT centre(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// What a player reads: a window's text, and a control's colour on screen, at its centre: inside
// any focus mark.
inline std::string text(HWND window)
{
    char buffer[2048] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, 2048, LPARAM(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

inline std::string colourText(engine::ColourValue value)
{
    const int i = engine::colourIndexOf(value);
    return i >= 0 ? std::string(engine::colourName(i)) : "colour " + std::to_string(value);
}

inline engine::ColourValue colour(HWND control)
{
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, centre(control).x, centre(control).y);
    ReleaseDC(nullptr, screen);
    return engine::ColourValue(pixel);
}

// Real input: keys pressed together and let go in the opposite order; the pointer moved and
// clicked, at the pace of a hand, at a point or a control's centre.
inline void press(const std::vector<WORD>& keys)
{
    std::vector<INPUT> in(keys.size() * 2, INPUT{INPUT_KEYBOARD});
    for (std::size_t i = 0; i < keys.size(); ++i) {
        in[i].ki.wVk = keys[i];
        in[in.size() - 1 - i].ki = {keys[i], 0, KEYEVENTF_KEYUP};
    }
    SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

inline void click(POINT at, DWORD buttons = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP)
{
    const int w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT in[]{{INPUT_MOUSE}, {INPUT_MOUSE}};
    in[0].mi = {MulDiv(at.x, 65535, w), MulDiv(at.y, 65535, h), 0,
                MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE};
    in[1].mi.dwFlags = buttons;
    SendInput(buttons ? 2 : 1, in, sizeof(INPUT));
    // A window takes the mouse for itself while a button is down on it, and Wine sends input on
    // its way as it comes: a click right after another could go to the window of the first.
    Sleep(buttons ? 100 : 0);
}

inline void click(HWND control) { click(centre(control)); }

class Game
{
public:
    // Copies the game alone into a fresh folder and starts it from another, as a player would.
    Game(const fs::path& exe, fs::path hook, fs::path where)
        : folder(std::move(where)), m_hook(std::move(hook))
    {
        fs::create_directories(folder / "cwd");
        fs::copy_file(exe, folder / exe.filename());
        STARTUPINFOA startup{sizeof startup};
        check(CreateProcessA((folder / exe.filename()).string().c_str(), nullptr, nullptr, nullptr,
                             FALSE, 0, nullptr, (folder / "cwd").string().c_str(), &startup,
                             &m_run),
              "the game starts");
    }

    // Ends the game if it still runs, and lets go of every key: one left down would reach the
    // next game on this desktop.
    ~Game()
    {
        UnhookWindowsHookEx(m_hooked);
        TerminateProcess(m_run.hProcess, 1);
        WaitForSingleObject(m_run.hProcess, 5000);
        press({VK_CONTROL, VK_MENU, VK_SHIFT});
        CloseHandle(m_run.hThread);
        CloseHandle(m_run.hProcess);
    }

    const fs::path folder;

    // The top-level windows of that class the game shows, waited for until there are some
    // (closely, so that the splash's time on screen is measured to a few milliseconds).
    std::vector<HWND> shown(const wchar_t* className, double seconds = 0) const
    {
        std::vector<HWND> found;
        const auto start = Clock::now();
        do {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr));) {
                DWORD process = 0;
                GetWindowThreadProcessId(w, &process);
                if (process == m_run.dwProcessId && IsWindowVisible(w)) {
                    found.push_back(w);
                }
            }
        } while (found.empty() && secondsSince(start) < seconds &&
                 WaitForSingleObject(m_run.hProcess, 2) == WAIT_TIMEOUT);
        check(!found.empty() || seconds == 0, "a window of class " + fs::path(className).string());
        return found;
    }

    HWND focus() const
    {
        GUITHREADINFO info{sizeof info};
        GetGUIThreadInfo(m_run.dwThreadId, &info);
        return info.hwndFocus;
    }

    // Waits for a message box owned by owner, reads it as the player does, "title: text [OK]",
    // with each button and any icon, and closes it with its button.
    std::string closeBox(HWND owner)
    {
        HWND box = nullptr, button = nullptr;
        waitUntil("a message box", [&] {
            const std::vector<HWND> boxes = shown(L"#32770");
            return !boxes.empty() && GetWindow(box = boxes[0], GW_OWNER) == owner;
        });
        std::string seen = text(box) + ": " + text(GetDlgItem(box, 0xFFFF));
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t kind[16] = L"";
            GetClassNameW(c, kind, 16);
            const bool buttonShown = IsWindowVisible(c) && kind == std::wstring(L"Button");
            const bool icon = IsWindowVisible(c) && SendMessageW(c, STM_GETICON, 0, 0);
            seen += buttonShown ? " [" + text(button = c) + "]" : icon ? " (an icon)" : "";
        }
        PostMessageW(button, BM_CLICK, 0, 0);
        waitUntil("the box to close",
                  [&] { return !IsWindow(box) && GetForegroundWindow() == owner; });
        settle();
        return seen;
    }

    // Wine hears from the X server a little later that the active window changed, and then
    // cancels what the window is in the middle of (an open menu, a button held down). A player
    // is never that quick, and the driver waits as long after a window comes or goes.
    static void settle() { Sleep(300); }

    // What the hook reads inside the game's thread that owns window: 1 its menus, 2 the cursor.
    std::string probe(HWND window, WPARAM question)
    {
        if (!m_hooked) {
            const HMODULE dll = LoadLibraryW(m_hook.c_str());
            const auto hook = reinterpret_cast<void*>(GetProcAddress(dll, "probeHook"));
            m_hooked = SetWindowsHookExW(WH_GETMESSAGE, HOOKPROC(hook), dll, m_run.dwThreadId);
        }
        fs::remove("C:\\tintwise-probe.txt");
        PostMessageW(window, RegisterWindowMessageW(L"TintwiseProbe"), question, 0);
        waitUntil("the hook's answer", [] { return fs::exists("C:\\tintwise-probe.txt"); });
        return fileBytes("C:\\tintwise-probe.txt");
    }

    // Whether the game ends within a second, with exit code 0.
    bool endsAtOnce() const
    {
        DWORD code = 1;
        return WaitForSingleObject(m_run.hProcess, 1000) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(m_run.hProcess, &code) && code == 0;
    }

private:
    PROCESS_INFORMATION m_run{};
    fs::path m_hook;
    HHOOK m_hooked = nullptr;
};

} // namespace tintwise::win32test
