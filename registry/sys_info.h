// sys_info.h: finding the system-information program through the registry, and starting it.
#pragma once

#include "registry.h"

#include <functional>
#include <string>

namespace tintwise::registry {

// What starting the program needs from the platform.
struct SysInfoLauncher
{
    // Starts the program at path on its own: the path is the whole command, without arguments,
    // a shell or waiting. False when it could not be started.
    std::function<bool(const std::string& path)> startProgram;

    // Whether path names an existing normal file: not a folder, not hidden, not a system file.
    std::function<bool(const std::string& path)> isNormalFile;
};

// Starts the program that the "PATH" value names, exactly as read; without that value, the
// MSINFO32.EXE in the folder that the location value names, if it is a normal file. False when
// nothing was started, a value that holds no data included: the caller then says the program
// is unavailable.
bool startSysInfoFromRegistry(Registry& registry, const SysInfoLauncher& launcher);

// The path of the program in the folder dir, joined as the platform joins paths.
std::string sysInfoProgramPath(const std::string& dir);

} // namespace tintwise::registry
