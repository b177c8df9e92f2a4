// registry_windows.cpp: the Windows registry through advapi32, read only.
#include "registry.h"

#include <windows.h>

namespace tintwise::registry {

namespace {

class WindowsRegistry : public Registry
{
public:
    long openKey(RegistryRoot root, const std::string& keyName, Key& key) override
    {
        HKEY opened = nullptr;
        // KEY_READ: asking for write rights as well would fail under HKEY_LOCAL_MACHINE for
        // every user without administrator rights.
        // The predefined roots are 32-bit values sign-extended to a handle, as windows.h does.
        const auto rootKey = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
        const LONG result = RegOpenKeyExA(rootKey, keyName.c_str(), 0, KEY_READ, &opened);
        key = result == ERROR_SUCCESS ? reinterpret_cast<Key>(opened) : 0;
        return result;
    }

    long queryValue(Key key, const std::string& valueName, std::uint32_t& type, char* buffer,
                    std::uint32_t& size) override
    {
        DWORD valueType = 0;
        DWORD dataSize = size;
        const LONG result =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, &valueType,
                             reinterpret_cast<LPBYTE>(buffer), &dataSize);
        type = valueType;
        size = dataSize;
        return result;
    }

    long closeKey(Key key) override { return RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

} // namespace

std::unique_ptr<Registry> makeSystemRegistry() { return std::make_unique<WindowsRegistry>(); }

} // namespace tintwise::registry
