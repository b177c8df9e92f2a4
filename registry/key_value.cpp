// key_value.cpp: the registry value reader.
#include "key_value.h"

#include <array>

namespace tintwise::registry {

namespace {

// Closes the key on every way out of the reader, the size-0 error included.
class OpenKey
{
public:
    OpenKey(Registry& registry, Registry::Key key) : m_registry(registry), m_key(key) {}
    ~OpenKey() { m_registry.closeKey(m_key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    Registry& m_registry;
    Registry::Key m_key;
};

// A registry number is a little-endian 32-bit unsigned value.
std::string numberText(const char* data, std::uint32_t size)
{
    std::uint32_t number = 0;
    for (std::uint32_t i = 0; i < size && i < 4; ++i) {
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    }
    return std::to_string(number);
}

} // namespace

bool GetKeyValue(Registry& registry, RegistryRoot KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal)
{
    Registry::Key hKey = 0;
    if (registry.openKey(KeyRoot, KeyName, hKey) != kRegOk) {
        KeyVal.clear();
        return false;
    }
    const OpenKey closer(registry, hKey);

    std::array<char, kValueBufferSize> tmpVal{};
    auto KeyValSize = static_cast<std::uint32_t>(tmpVal.size());
    std::uint32_t KeyValType = 0;
    // A size beyond the buffer would be a broken registry; it must not be read past.
    if (registry.queryValue(hKey, SubKeyRef, KeyValType, tmpVal.data(), KeyValSize) != kRegOk ||
        KeyValSize > tmpVal.size()) {
        KeyVal.clear();
        return false;
    }
    if (KeyValSize == 0) {
        throw RegistryValueError("registry value " + SubKeyRef + " holds no data");
    }

    // Strings are usually stored with their terminating NUL; drop it when it is there.
    const std::size_t length = tmpVal[KeyValSize - 1] == '\0' ? KeyValSize - 1 : KeyValSize;
    if (KeyValType == kRegString) {
        KeyVal.assign(tmpVal.data(), length);
    } else if (KeyValType == kRegNumber) {
        KeyVal = numberText(tmpVal.data(), KeyValSize);
    }
    return true;
}

} // namespace tintwise::registry
