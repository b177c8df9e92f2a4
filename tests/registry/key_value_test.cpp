// key_value_test.cpp: reading a registry value as its type demands.
#include <gtest/gtest.h>
#include <registry/key_value.h>
#include <registry/registry.h>
#include <string>
#include <vector>

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

INSTANTIATE_TEST_SUITE_P(Values, ReadsAValueAsItsTypeDemands, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ValueCase>& row) {
                             return std::string(row.param.name);
                         });

} // namespace
} // namespace tintwise::registry
