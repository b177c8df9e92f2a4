// sysinfo.cpp: the system-information launcher.
#include "sysinfo.h"

#include "info_look.h"

#include <QCoreApplication>
#include <filesystem>
#include <registry/key_value.h>
#include <ui/layout/info_windows.h>

namespace tintwise::ui {

namespace {

// Steps 1 to 3 of the launcher; false sends the caller to the message box.
bool startFromRegistry(InfoPlatform& platform)
{
    using namespace registry;
    Registry& registry = platform.registry();
    std::string SysInfoPath;
    if (GetKeyValue(registry, kLocalMachine, kSysInfoKey, kSysInfoValue, SysInfoPath)) {
        // Started as read, without checking it exists: a failed start is the same message.
        return platform.startProgram(SysInfoPath);
    }
    if (!GetKeyValue(registry, kLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                     SysInfoPath)) {
        return false;
    }
    SysInfoPath = sysInfoProgramPath(SysInfoPath);
    return platform.isNormalFile(SysInfoPath) && platform.startProgram(SysInfoPath);
}

} // namespace

void StartSysInfo(InfoPlatform& platform, QWidget* parent)
{
    try {
        if (startFromRegistry(platform)) {
            return;
        }
    } catch (const registry::RegistryValueError&) {
        // Any failure of the lookup ends in the one message below.
    }
    platform.showMessage(parent, appTitle(), fromUtf8(layout::kSysInfoUnavailableText));
}

std::string sysInfoProgramPath(const std::string& dir)
{
#ifdef _WIN32
    return dir + "\\" + registry::kSysInfoProgram;
#else
    return (std::filesystem::path(dir) / registry::kSysInfoProgram).string();
#endif
}

} // namespace tintwise::ui
