// announcer.cpp: a live region made of a plain label, through Active Accessibility's
// annotations, which UI Automation reads.
#include "announcer.h"

#include <initguid.h>

#include <oleacc.h>

namespace tintwise::win32 {

namespace {

// UI Automation's LiveSetting property, and its value Assertive: spoken at once.
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d,
            0x58, 0xeb);
constexpr LONG kAssertive = 2;

constexpr UINT kSpeak = WM_APP + 1;

} // namespace

Announcer::~Announcer()
{
    if (m_properties != nullptr) {
        m_properties->Release();
    }
}

void Announcer::create(HWND window, HINSTANCE instance)
{
    m_window = window;
    m_label = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                              window, nullptr, instance, nullptr);
    // Where the annotation service is missing (Wine has none), the label is still there to read.
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices,
                                   reinterpret_cast<void**>(&m_properties)))) {
        VARIANT live{};
        live.vt = VT_I4;
        live.lVal = kAssertive;
        m_properties->SetHwndProp(m_label, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                  kLiveSettingProperty, live);
    }
}

void Announcer::say(std::string_view text)
{
    if (text.empty()) {
        return;
    }
    if (m_pending.empty()) {
        PostMessageW(m_window, kSpeak, 0, 0);
    } else {
        m_pending += L". ";
    }
    m_pending += widen(text);
}

bool Announcer::handle(UINT message)
{
    if (message != kSpeak) {
        return false;
    }
    SetWindowTextW(m_label, m_pending.c_str());
    m_pending.clear();
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, m_label, OBJID_CLIENT, CHILDID_SELF);
    return true;
}

} // namespace tintwise::win32
