// fuzz_support.h: the fuzz targets' check of a result against its reference, and their scratch
// folders (TempDir, one per process; run-all gives it a private TMPDIR).
#pragma once

#include "../tests/support/temp_dir.h"

#include <cstdio>
#include <cstdlib>

namespace tintwise::fuzz {

inline std::string shown(int number) { return std::to_string(number); }

// Text quoted, every byte outside printable ASCII as \xNN, so that any byte shows.
inline std::string shown(std::string_view text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        char byte[8];
        const bool plain = c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
        std::snprintf(byte, sizeof byte, plain ? "%c" : "\\x%02X", c);
        out += byte;
    }
    return out + "\"";
}

// A difference aborts, which libFuzzer reports as a crash: it prints the input and saves it.
template <typename T> void expectSame(const char* what, const T& got, const T& expected)
{
    if (got != expected) {
        std::fprintf(stderr, "MISMATCH in %s\n  got:      %s\n  expected: %s\n", what,
                     shown(got).c_str(), shown(expected).c_str());
        std::abort();
    }
}

} // namespace tintwise::fuzz

// Each target is one file of its own that includes this header.
using namespace tintwise;
