// sysinfo.cpp: the system-information launcher.
#include "sysinfo.h"

#include "info_look.h"

#include <registry/sys_info.h>
#include <ui/layout/info_windows.h>

namespace tintwise::ui {

void StartSysInfo(InfoPlatform& platform, QWidget* parent)
{
    const registry::SysInfoLauncher launcher{
        [&platform](const std::string& path) { return platform.startProgram(path); },
        [&platform](const std::string& path) { return platform.isNormalFile(path); }};
    if (registry::startSysInfoFromRegistry(platform.registry(), launcher)) {
        return;
    }
    platform.showMessage(parent, appTitle(), fromUtf8(layout::kSysInfoUnavailableText));
}

} // namespace tintwise::ui
