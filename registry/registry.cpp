// registry.cpp: the in-memory registry and, off Windows, the stand-in for the system registry.
#include "registry.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tintwise::registry {

MemoryRegistry::Value MemoryRegistry::stringValue(const std::string& text)
{
    Value value{kRegString, std::vector<char>(text.begin(), text.end())};
    value.data.push_back('\0');
    return value;
}

void MemoryRegistry::setValue(RegistryRoot root, const std::string& keyName,
                              const std::string& valueName, Value value)
{
    m_keys[{root, keyName}][valueName] = std::move(value);
}

void MemoryRegistry::addKey(RegistryRoot root, const std::string& keyName)
{
    m_keys[{root, keyName}];
}

long MemoryRegistry::openKey(RegistryRoot root, const std::string& keyName, Key& key)
{
    key = 0;
    if (m_keys.find({root, keyName}) == m_keys.end()) {
        return kRegNotFound;
    }
    key = m_nextKey++;
    m_open[key] = {root, keyName};
    return kRegOk;
}

long MemoryRegistry::queryValue(Key key, const std::string& valueName, std::uint32_t& type,
                                char* buffer, std::uint32_t& size)
{
    const auto open = m_open.find(key);
    if (open == m_open.end()) {
        return kRegNotFound;
    }
    const auto& values = m_keys.at(open->second);
    const auto found = values.find(valueName);
    if (found == values.end()) {
        return kRegNotFound;
    }
    const Value& value = found->second;
    const auto dataSize = static_cast<std::uint32_t>(value.data.size());
    if (dataSize > size) {
        size = dataSize;
        return kRegMoreData;
    }
    std::copy(value.data.begin(), value.data.end(), buffer);
    type = value.type;
    size = dataSize;
    return kRegOk;
}

long MemoryRegistry::closeKey(Key key) { return m_open.erase(key) == 1 ? kRegOk : kRegNotFound; }

const std::vector<std::string>& systemInfoCandidates()
{
    static const std::vector<std::string> paths = {
        "/usr/bin/hardinfo",    // hardinfo: system profiler and benchmark
        "/usr/bin/kinfocenter", // kinfocenter: KDE's information centre
        "/usr/bin/lshw-gtk",    // lshw-gtk: hardware lister
    };
    return paths;
}

#ifndef _WIN32
namespace {

bool isExecutableFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

std::unique_ptr<Registry> makeSystemRegistry()
{
    // No registry here: the one value the about window reads names an installed tool, and the
    // fallback location value is absent, since no folder here holds the Windows program.
    auto registry = std::make_unique<MemoryRegistry>();
    const auto& candidates = systemInfoCandidates();
    const auto tool = std::find_if(candidates.begin(), candidates.end(), isExecutableFile);
    if (tool != candidates.end()) {
        registry->setValue(kLocalMachine, kSysInfoKey, kSysInfoValue,
                           MemoryRegistry::stringValue(*tool));
    }
    return registry;
}
#endif

} // namespace tintwise::registry
