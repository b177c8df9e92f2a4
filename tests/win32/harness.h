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
#include <map>
#include <string>
#include <vector>
#include <windows.h>

namespace tintwise::win32test {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A check that did not hold: it ends the scenario it happened in.
struct Failure
{
    std::string what;
};

inline int g_checks = 0;

inline void check(bool ok, const std::string& what)
{
    ++g_checks;
    if (!ok) {
        throw Failure{what};
    }
}

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Wine hears from the X server a little later that the active window changed, and then cancels
// what the window is in the middle of (an open menu, a button held down). A player is never that
// quick, and the driver waits as long after a window comes or goes.
inline void settle() { Sleep(300); }

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
    waitFor(what, "so", [&] { return std::string(holds() ? "so" : "not so"); });
}

// What a player reads: a window's text (as UTF-8), and a control's colour on screen: the one
// most of a grid of points inside it show, so that a caret or a focus mark does not count.
inline std::string text(HWND window)
{
    wchar_t buffer[2048] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 2048, LPARAM(buffer), SMTO_ABORTIFHUNG, 2000, &length);
    std::string out(length * 3, '\0');
    out.resize(std::size_t(WideCharToMultiByte(CP_UTF8, 0, buffer, int(length), out.data(),
                                               int(out.size()), nullptr, nullptr)));
    return out;
}

inline std::string colourText(engine::ColourValue value)
{
    const int i = engine::colourIndexOf(value);
    return i >= 0 ? std::string(engine::colourName(i)) : "colour " + std::to_string(value);
}

inline engine::ColourValue colour(HWND control)
{
    RECT r{};
    GetWindowRect(control, &r);
    std::map<COLORREF, int> seen{{CLR_INVALID, 0}};
    const HDC screen = GetDC(nullptr);
    for (int i = 0; i < 25; ++i) {
        ++seen[GetPixel(screen, r.left + (r.right - r.left) * (i % 5 + 1) / 6,
                        r.top + (r.bottom - r.top) * (i / 5 + 1) / 6)];
    }
    ReleaseDC(nullptr, screen);
    const auto most = [](auto a, auto b) {
        return a.second < b.second;
    };
    return engine::ColourValue(std::max_element(seen.begin(), seen.end(), most)->first);
}

// Real input: keys pressed together and let go in the opposite order; the pointer moved, and
// clicked at a point or a control's centre.
inline void send(std::vector<INPUT> inputs)
{
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline INPUT key(WORD vk, bool up)
{
    INPUT in{INPUT_KEYBOARD};
    in.ki = {vk, WORD(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), DWORD(up ? KEYEVENTF_KEYUP : 0)};
    return in;
}

inline void press(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        inputs.push_back(key(vk, false));
    }
    for (auto vk = keys.rbegin(); vk != keys.rend(); ++vk) {
        inputs.push_back(key(*vk, true));
    }
    send(inputs);
}

inline void moveTo(POINT at)
{
    INPUT in{INPUT_MOUSE};
    in.mi = {MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
             MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1), 0,
             MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE};
    send({in});
    POINT p{};
    waitUntil("the pointer to arrive",
              [&] { return GetCursorPos(&p) && p.x == at.x && p.y == at.y; });
}

inline void click(POINT at)
{
    moveTo(at);
    INPUT down{INPUT_MOUSE}, up{INPUT_MOUSE};
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send({down, up});
}

inline void click(HWND control)
{
    RECT r{};
    GetWindowRect(control, &r);
    click(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

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
                             &m_process),
              "the game starts");
    }

    // Ends the game if it still runs, and lets go of every key: one left down would reach the
    // next game on this desktop.
    ~Game()
    {
        UnhookWindowsHookEx(m_hooked);
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
        send({key(VK_CONTROL, true), key(VK_MENU, true), key(VK_SHIFT, true)});
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
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
                if (process == m_process.dwProcessId && IsWindowVisible(w)) {
                    found.push_back(w);
                }
            }
        } while (found.empty() && secondsSince(start) < seconds &&
                 WaitForSingleObject(m_process.hProcess, 2) == WAIT_TIMEOUT);
        return found;
    }

    HWND top(const wchar_t* className, double seconds = 0) const
    {
        const std::vector<HWND> found = shown(className, seconds);
        check(!found.empty() || seconds == 0, "a window of class " + fs::path(className).string());
        return found.empty() ? nullptr : found.front();
    }

    HWND focus() const
    {
        GUITHREADINFO info{sizeof info};
        GetGUIThreadInfo(m_process.dwThreadId, &info);
        return info.hwndFocus;
    }

    // Waits for a message box owned by owner, reads it as the player does, "title: text [OK]",
    // with each button and any icon, and closes it with its button.
    std::string closeBox(HWND owner)
    {
        HWND box = nullptr, button = nullptr;
        waitUntil("a message box",
                  [&] { return (box = top(L"#32770")) && GetWindow(box, GW_OWNER) == owner; });
        std::string seen = text(box) + ": " + text(GetDlgItem(box, 0xFFFF));
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            wchar_t kind[16] = L"";
            GetClassNameW(c, kind, 16);
            if (IsWindowVisible(c) && kind == std::wstring(L"Button")) {
                seen += " [" + text(button = c) + "]";
            } else if (IsWindowVisible(c) && SendMessageW(c, STM_GETICON, 0, 0)) {
                seen += " (an icon)";
            }
        }
        PostMessageW(button, BM_CLICK, 0, 0);
        waitUntil("the box to close",
                  [&] { return !IsWindow(box) && GetForegroundWindow() == owner; });
        settle();
        return seen;
    }

    // What the hook reads inside the game's thread that owns window: 1 its menus, 2 the cursor.
    std::string probe(HWND window, WPARAM question)
    {
        if (!m_hooked) {
            const HMODULE dll = LoadLibraryW(m_hook.c_str());
            const auto hook = reinterpret_cast<void*>(GetProcAddress(dll, "probeHook"));
            m_hooked = SetWindowsHookExW(WH_GETMESSAGE, HOOKPROC(hook), dll, m_process.dwThreadId);
        }
        fs::remove(folder / "probe.txt");
        PostMessageW(window, RegisterWindowMessageW(L"TintwiseProbe"), question, 0);
        waitUntil("the hook's answer", [&] { return fs::exists(folder / "probe.txt"); });
        return fileBytes(folder / "probe.txt");
    }

    // Whether the game ends within a second, with exit code 0.
    bool endsAtOnce() const
    {
        DWORD code = 1;
        return WaitForSingleObject(m_process.hProcess, 1000) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(m_process.hProcess, &code) && code == 0;
    }

private:
    PROCESS_INFORMATION m_process{};
    fs::path m_hook;
    HHOOK m_hooked = nullptr;
};

} // namespace tintwise::win32test
