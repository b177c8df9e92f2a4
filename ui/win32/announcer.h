// announcer.h: the main window's voice on Windows: short texts that a screen reader speaks at once.
#pragma once

#include "win32_support.h"

#include <string>
#include <string_view>

struct IAccPropServices;

namespace tintwise::win32 {

// A zero-size label of the window that UI Automation sees as an assertive live region: screen
// readers speak its text each time it changes, whatever has the keyboard focus. A change of a
// box's text they speak only on the focused box.
class Announcer
{
public:
    Announcer() = default;
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;
    ~Announcer();

    void create(HWND window, HINSTANCE instance);

    // Speaks text (UTF-8) once the message loop runs again. A text said as a message box opens is
    // then spoken after the box, which a screen reader reads first as it takes the focus.
    void say(std::string_view text);

    // The window's part: true when the message was the announcer's own, now spoken.
    bool handle(UINT message);

private:
    HWND m_window = nullptr;
    HWND m_label = nullptr;
    IAccPropServices* m_properties = nullptr;
    std::wstring m_pending;
};

} // namespace tintwise::win32
