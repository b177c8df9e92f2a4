// app.h: the program on Windows: its three windows and the message loop that serves them.
#pragma once

#include <windows.h>

#include <memory>

namespace tintwise::win32 {

class AboutWindow;
class MainWindow;

class App
{
public:
    explicit App(HINSTANCE instance);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Shows the splash window, then serves the windows until the program ends.
    int run();

private:
    void showMainWindow();
    void showAboutWindow();
    bool dispatchToForm(MSG& message);

    HINSTANCE m_instance;
    std::unique_ptr<MainWindow> m_main;
    AboutWindow* m_about = nullptr; // owns itself; null while closed
};

} // namespace tintwise::win32
