// splash_window.h: frmSplash on Windows, the only window for the program's first five seconds.
#pragma once

#include "form.h"

#include <functional>

namespace tintwise::win32 {

// Shows the maker's and the product's logos until its timer hands over to the main window.
// It owns itself: it goes when its window goes.
class SplashWindow final : public Form
{
public:
    static constexpr const wchar_t* kClassName = L"TintwiseSplash";

    // Creates and shows the splash; after five seconds it runs showMainWindow and closes.
    static void start(HINSTANCE instance, std::function<void()> showMainWindow);

private:
    SplashWindow(HINSTANCE instance, std::function<void()> showMainWindow);

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroyed() override { delete this; }

    void Form_Load();
    void tmrSplash_Timer();

    std::function<void()> m_showMainWindow;
};

} // namespace tintwise::win32
