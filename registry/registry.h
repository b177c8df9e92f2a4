// registry.h: read-only access to a system registry, in the shape of the advapi32 calls.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tintwise::registry {

// A predefined root key, numbered as the Windows registry numbers it.
using RegistryRoot = std::uint32_t;
inline constexpr RegistryRoot kCurrentUser = 0x80000001;
inline constexpr RegistryRoot kLocalMachine = 0x80000002;

// Value types as the registry numbers them.
inline constexpr std::uint32_t kRegString = 1; // REG_SZ
inline constexpr std::uint32_t kRegNumber = 4; // REG_DWORD

// Result codes as the registry reports them; anything but kRegOk is a failure.
inline constexpr long kRegOk = 0;
inline constexpr long kRegNotFound = 2;   // ERROR_FILE_NOT_FOUND
inline constexpr long kRegMoreData = 234; // ERROR_MORE_DATA

// Where the system-information program is named: its full path, or else the folder holding
// kSysInfoProgram.
inline constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoValue = "PATH";
inline constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoLocationValue = "MSINFO";
inline constexpr const char* kSysInfoProgram = "MSINFO32.EXE";

// The three calls that reading one value takes: open a key, query a value, close the key.
class Registry
{
public:
    using Key = std::uintptr_t; // 0 is no key

    virtual ~Registry() = default;

    // Opens keyName under root for reading. Returns kRegOk and sets key, or an error code.
    virtual long openKey(RegistryRoot root, const std::string& keyName, Key& key) = 0;

    // Copies the value's data into buffer, whose capacity is size on entry; on kRegOk, type and
    // size hold the value's type and data size. Data that does not fit is kRegMoreData, and
    // nothing is written.
    virtual long queryValue(Key key, const std::string& valueName, std::uint32_t& type,
                            char* buffer, std::uint32_t& size) = 0;

    virtual long closeKey(Key key) = 0;
};

// A registry held in memory: the stand-in where the system has none, and the one tests fill.
class MemoryRegistry : public Registry
{
public:
    struct Value
    {
        std::uint32_t type = kRegString;
        std::vector<char> data;
    };

    // A string value as the registry stores it, with its terminating NUL.
    static Value stringValue(const std::string& text);

    void setValue(RegistryRoot root, const std::string& keyName, const std::string& valueName,
                  Value value);
    // A key with no values still opens.
    void addKey(RegistryRoot root, const std::string& keyName);

    long openKey(RegistryRoot root, const std::string& keyName, Key& key) override;
    long queryValue(Key key, const std::string& valueName, std::uint32_t& type, char* buffer,
                    std::uint32_t& size) override;
    long closeKey(Key key) override;

    // Keys opened and not yet closed, so a reader that leaks one is caught.
    int openKeyCount() const { return static_cast<int>(m_open.size()); }

private:
    using KeyPath = std::pair<RegistryRoot, std::string>;
    std::map<KeyPath, std::map<std::string, Value>> m_keys;
    std::map<Key, KeyPath> m_open;
    Key m_nextKey = 1;
};

// The machine's registry: the real one on Windows. Elsewhere a read-only stand-in that names
// an installed system-information program, found when the registry is made.
std::unique_ptr<Registry> makeSystemRegistry();

// The absolute paths the stand-in tries, in order: system-information programs Debian packages.
const std::vector<std::string>& systemInfoCandidates();

} // namespace tintwise::registry
