// sys_info.cpp: the system-information launcher's lookup.
#include "sys_info.h"

#include "key_value.h"

#include <filesystem>

namespace tintwise::registry {

bool startSysInfoFromRegistry(Registry& registry, const SysInfoLauncher& launcher)
{
    try {
        std::string SysInfoPath;
        if (GetKeyValue(registry, kLocalMachine, kSysInfoKey, kSysInfoValue, SysInfoPath)) {
            // Started as read, without checking it exists: a failed start ends the same way.
            return launcher.startProgram(SysInfoPath);
        }
        if (!GetKeyValue(registry, kLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                         SysInfoPath)) {
            return false;
        }
        SysInfoPath = sysInfoProgramPath(SysInfoPath);
        return launcher.isNormalFile(SysInfoPath) && launcher.startProgram(SysInfoPath);
    } catch (const RegistryValueError&) {
        return false;
    }
}

std::string sysInfoProgramPath(const std::string& dir)
{
#ifdef _WIN32
    return dir + "\\" + kSysInfoProgram;
#else
    return (std::filesystem::path(dir) / kSysInfoProgram).string();
#endif
}

} // namespace tintwise::registry
