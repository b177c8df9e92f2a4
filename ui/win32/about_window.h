// about_window.h: frmAbout on Windows: the rules, the version, the links and System Info...
#pragma once

#include "form.h"

#include <functional>
#include <memory>
#include <registry/registry.h>
#include <string>

namespace tintwise::win32 {

// Non-modal and without owner, so the game stays usable while it is open. It owns itself: it
// goes when its window goes, and tells its host then.
class AboutWindow final : public Form
{
public:
    static constexpr const wchar_t* kClassName = L"TintwiseAbout";

    // Creates the window (running its load handler); onClosed runs once it has gone.
    AboutWindow(HINSTANCE instance, std::function<void()> onClosed);

    // Brings the window to the front, restored if it was minimised, with the keyboard.
    void bringToFront();

    void StartSysInfo();
    bool GetKeyValue(registry::RegistryRoot KeyRoot, const std::string& KeyName,
                     const std::string& SubKeyRef, std::string& KeyVal);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroyed() override;
    // "OK" is the default button, for Enter, unless another button has the focus.
    HWND defaultButton() const override { return m_cmdOK; }

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void cmdSupport_Click();
    void lblLink_Click();

    std::unique_ptr<registry::Registry> m_registry;
    std::function<void()> m_onClosed;
    HWND m_cmdOK = nullptr;
};

} // namespace tintwise::win32
