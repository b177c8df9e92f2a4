// info_windows.h: frmSplash and frmAbout, their controls and texts, as data.
#pragma once

#include "controls.h"

#include <records/fastest_time_store.h>
#include <string_view>

namespace tintwise::layout {

// The application title: the main window's caption, the about window's, and the title of the
// game's own message boxes.
inline constexpr std::string_view kAppTitle = records::kAppTitle;

// How long the splash window stands alone before the main window takes over.
inline constexpr int kSplashMilliseconds = 5000;

// The splash window: no caption text, picQuillon, lblProud, picTintwise, lblCopyright, lblMsg.
const WindowLayout& frmSplash();

// The about window, its controls in focus order: cmdOK, cmdSysInfo, lblLink, cmdSupport, then
// those that take no focus; Line1 is two controls, "Line1_1" and "Line1_0" (the white one).
const WindowLayout& frmAbout();

inline constexpr std::string_view kWebAddress = "https://www.example.com/tintwise/";
inline constexpr std::string_view kSupportAddress = "mailto:support@example.com";
inline constexpr std::string_view kSysInfoUnavailableText =
    "System Information Is Unavailable At This Time";

// The artwork a picture box's caption names, found by each front end in its own resources.
inline constexpr std::string_view kMakerLogo = "maker";
inline constexpr std::string_view kProductLogo = "product";

} // namespace tintwise::layout
