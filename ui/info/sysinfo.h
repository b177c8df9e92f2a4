// sysinfo.h: finding and starting the system-information program through the registry.
#pragma once

#include "info_platform.h"
#include "registry.h"

#include <cstddef>
#include <stdexcept>
#include <string>

class QWidget;

namespace tintwise::ui {

inline constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoValue = "PATH";
inline constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoLocationValue = "MSINFO";
inline constexpr const char* kSysInfoProgram = "MSINFO32.EXE";

// The most a value may hold; a larger one is read as missing.
inline constexpr std::size_t kValueBufferSize = 1024;

// A value that exists but holds no data at all: not "missing", but an error to the caller.
class RegistryValueError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads value SubKeyRef of key KeyName under KeyRoot into KeyVal: a string as its text, a
// number as its decimal text; any other type leaves KeyVal as it was. Returns false, with
// KeyVal empty, when the key or the value cannot be read or the value is too large. Throws
// RegistryValueError for a value of size 0. An opened key is always closed.
bool GetKeyValue(Registry& registry, RegistryRoot KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// Starts the program the registry names; when none can be started, says so in a message box
// over parent.
void StartSysInfo(InfoPlatform& platform, QWidget* parent);

// The path of the Windows program in the folder dir, joined as the platform joins paths.
std::string sysInfoProgramPath(const std::string& dir);

} // namespace tintwise::ui
