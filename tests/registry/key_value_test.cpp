// key_value_test.cpp: reading a registry value as its type demands, from memory and, on
// Windows, from the real registry.
#include <gtest/gtest.h>
#include <registry/key_value.h>
#include <registry/registry.h>

#ifdef _WIN32
#include <windows.h>

constexpr const char* kScratch = "Software\\Tintwise-tests";
#endif

using namespace tintwise::registry;

constexpr std::uint32_t kRegBinary = 3;              // REG_BINARY: a type the reader leaves alone
constexpr int kStored = 0, kNoValue = 1, kNoKey = 2; // where the value is
constexpr int kRead = 0, kMissing = 1, kThrows = 2;  // what GetKeyValue does
using Bytes = std::vector<char>;

// The case, where the value is, its type and bytes, what GetKeyValue does, and KeyVal
// afterwards; it starts as "old".
const std::tuple<const char*, int, std::uint32_t, Bytes, int, std::string> kCases[] = {
    {"stringWithItsNul", kStored, kRegString, {'a', 'b', '\0'}, kRead, "ab"},
    {"stringWithoutANul", kStored, kRegString, {'a', 'b'}, kRead, "ab"},
    {"nulInsideKept", kStored, kRegString, {'a', '\0', 'b', '\0'}, kRead, std::string("a\0b", 3)},
    {"number", kStored, kRegNumber, {42, 1, 0, 0}, kRead, "298"},
    {"largestNumber", kStored, kRegNumber, Bytes(4, '\xFF'), kRead, "4294967295"},
    {"otherTypeLeavesIt", kStored, kRegBinary, {'x'}, kRead, "old"},
    {"fillsTheBuffer", kStored, kRegString, Bytes(kValueBufferSize, 'p'), kRead,
     std::string(kValueBufferSize, 'p')},
    {"overTheBufferIsMissing", kStored, kRegString, Bytes(kValueBufferSize + 1, 'p'), kMissing, ""},
    {"sizeZeroThrows", kStored, kRegString, {}, kThrows, "old"},
    {"missingValue", kNoValue, kRegString, {}, kMissing, ""},
    {"missingKey", kNoKey, kRegString, {}, kMissing, ""},
};

TEST(GetKeyValue, readsAValueAsItsTypeDemandsFromMemoryAndOnWindowsFromTheSystemRegistry)
{
    for (const auto& [name, place, type, data, outcome, value] : kCases) {
        SCOPED_TRACE(name);
        auto expectRead = [&](Registry& registry, RegistryRoot root, const std::string& key) {
            std::string KeyVal = "old";
            if (outcome == kThrows) {
                EXPECT_THROW(GetKeyValue(registry, root, key, "Value", KeyVal), RegistryValueError);
            } else {
                EXPECT_EQ(GetKeyValue(registry, root, key, "Value", KeyVal), outcome == kRead);
            }
            EXPECT_EQ(KeyVal, value);
        };
        // The test's key never has subkeys, so this one is always missing.
        const std::string below = place == kNoKey ? "\\Missing" : "";
        MemoryRegistry memory;
        memory.addKey(kLocalMachine, "Key");
        if (place == kStored) {
            memory.setValue(kLocalMachine, "Key", "Value", {type, data});
        }
        expectRead(memory, kLocalMachine, "Key" + below);
        EXPECT_EQ(memory.openKeyCount(), 0);
#ifdef _WIN32
        // A key of the tests' own below HKEY_CURRENT_USER, made afresh for each case, with another
        // value where "Value" is to be missing. RegSetKeyValueA takes a NUL just past a string's
        // data for part of it, so a byte that is not NUL follows the data.
        const std::string stored = std::string(data.begin(), data.end()) + 'x';
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
        EXPECT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kScratch, place == kStored ? "Value" : "Other",
                                  type, stored.data(), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        expectRead(*makeSystemRegistry(), kCurrentUser, kScratch + below);
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
#endif
    }
}
