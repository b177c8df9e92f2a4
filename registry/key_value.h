// key_value.h: reading one registry value as text, the way the about window's lookup needs it.
#pragma once

#include "registry.h"

#include <cstddef>
#include <stdexcept>
#include <string>

namespace tintwise::registry {

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

} // namespace tintwise::registry
