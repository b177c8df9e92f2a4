// key_value_test.cpp: reading a registry value as its type demands, from memory and, on
// Windows, from the real registry.
#include <gtest/gtest.h>
#include <registry/key_value.h>
#include <registry/registry.h>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tintwise::registry {
namespace {

enum class Place
{
    Stored,  // the key holds the value
    NoValue, // the key is there, the value is not
    NoKey,
};

enum class Outcome
{
    Read,    // GetKeyValue returns true
    Missing, // false, and KeyVal is emptied
    Throws,  // RegistryValueError
};

struct ValueCase
{
    const char* name;
    Place place;
    std::uint32_t type;
    std::vector<char> data;
    Outcome outcome;
    std::string value; // KeyVal afterwards; it starts as "old"
    friend void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }
};

constexpr std::uint32_t kRegBinary = 3; // REG_BINARY: a type the reader leaves alone

const ValueCase kCases[] = {
    {"stringWithItsNul", Place::Stored, kRegString, {'a', 'b', '\0'}, Outcome::Read, "ab"},
    {"stringWithoutANul", Place::Stored, kRegString, {'a', 'b'}, Outcome::Read, "ab"},
    {"nulInsideKept",
     Place::Stored,
     kRegString,
     {'a', '\0', 'b', '\0'},
     Outcome::Read,
     std::string("a\0b", 3)},
    {"number", Place::Stored, kRegNumber, {42, 1, 0, 0}, Outcome::Read, "298"},
    {"largestNumber", Place::Stored, kRegNumber, std::vector<char>(4, '\xFF'), Outcome::Read,
     "4294967295"},
    {"otherTypeLeavesIt", Place::Stored, kRegBinary, {'x'}, Outcome::Read, "old"},
    {"fillsTheBuffer", Place::Stored, kRegString, std::vector<char>(kValueBufferSize, 'p'),
     Outcome::Read, std::string(kValueBufferSize, 'p')},
    {"overTheBufferIsMissing", Place::Stored, kRegString,
     std::vector<char>(kValueBufferSize + 1, 'p'), Outcome::Missing, ""},
    {"sizeZeroThrows", Place::Stored, kRegString, {}, Outcome::Throws, "old"},
    {"missingValue", Place::NoValue, kRegString, {}, Outcome::Missing, ""},
    {"missingKey", Place::NoKey, kRegString, {}, Outcome::Missing, ""},
};

void expectRead(Registry& registry, RegistryRoot root, const std::string& key, const ValueCase& c)
{
    std::string KeyVal = "old";
    switch (c.outcome) {
    case Outcome::Read:
        EXPECT_TRUE(GetKeyValue(registry, root, key, "Value", KeyVal));
        break;
    case Outcome::Missing:
        EXPECT_FALSE(GetKeyValue(registry, root, key, "Value", KeyVal));
        break;
    case Outcome::Throws:
        EXPECT_THROW(GetKeyValue(registry, root, key, "Value", KeyVal), RegistryValueError);
        break;
    }
    EXPECT_EQ(KeyVal, c.value);
}

class ReadsAValueAsItsTypeDemands : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(ReadsAValueAsItsTypeDemands, fromMemory)
{
    const ValueCase& c = GetParam();
    MemoryRegistry memory;
    if (c.place != Place::NoKey) {
        memory.addKey(kLocalMachine, "Key");
    }
    if (c.place == Place::Stored) {
        memory.setValue(kLocalMachine, "Key", "Value", {c.type, c.data});
    }
    expectRead(memory, kLocalMachine, "Key", c);
    EXPECT_EQ(memory.openKeyCount(), 0);
}

#ifdef _WIN32
// A key of this process's own below HKEY_CURRENT_USER, deleted with everything in it however
// the test ends.
class ScratchKey
{
public:
    ScratchKey() : m_name("Software\\Tintwise-tests-" + std::to_string(GetCurrentProcessId()))
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, m_name.c_str()); // left over by a crashed namesake
        const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, m_name.c_str(), 0, nullptr, 0,
                                            KEY_WRITE, nullptr, &m_key, nullptr);
        EXPECT_EQ(result, ERROR_SUCCESS) << "creating HKEY_CURRENT_USER\\" << m_name;
    }
    ~ScratchKey()
    {
        RegCloseKey(m_key);
        RegDeleteTreeA(HKEY_CURRENT_USER, m_name.c_str());
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::string& name() const { return m_name; }

    // Stores exactly data. RegSetValueExA takes a NUL just past a string's data for part of
    // it, so a byte that is not NUL follows the data.
    void set(const char* valueName, std::uint32_t type, std::vector<char> data)
    {
        const auto size = static_cast<DWORD>(data.size());
        data.push_back('x');
        EXPECT_EQ(RegSetValueExA(m_key, valueName, 0, type,
                                 reinterpret_cast<const BYTE*>(data.data()), size),
                  ERROR_SUCCESS);
    }

private:
    std::string m_name;
    HKEY m_key = nullptr;
};

TEST_P(ReadsAValueAsItsTypeDemands, fromTheSystemRegistry)
{
    const ValueCase& c = GetParam();
    ScratchKey scratch;
    if (c.place == Place::Stored) {
        scratch.set("Value", c.type, c.data);
    }
    // The scratch key never has subkeys, so this one is always missing.
    const std::string key = c.place == Place::NoKey ? scratch.name() + "\\Missing" : scratch.name();
    const auto system = makeSystemRegistry();
    expectRead(*system, kCurrentUser, key, c);
}
#endif

INSTANTIATE_TEST_SUITE_P(Values, ReadsAValueAsItsTypeDemands, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ValueCase>& row) {
                             return std::string(row.param.name);
                         });

} // namespace
} // namespace tintwise::registry
