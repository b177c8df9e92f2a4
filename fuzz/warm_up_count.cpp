// warm_up_count.cpp: libFuzzer target, any time-of-day text through the warm-up count.
#include "fuzz_support.h"

#include <algorithm>
#include <charconv>
#include <engine/new_game.h>
#include <vector>

// Read forwards, unlike the engine: find where each UTF-8 character starts (stray continuation
// bytes go with the character before them, or form one of their own at the very start), take
// the fifth character from the end (the first when there are fewer), and read the digits at the
// start of it and the next one. No digit gives -1, so a result tells whether there was a number.
static int referenceCount(std::string_view text)
{
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 1; i <= text.size(); ++i) { // the last one ends where a next would start
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            starts.push_back(i);
        }
    }
    const std::size_t first = starts.size() > 6 ? starts.size() - 6 : 0;
    const std::size_t end = starts[std::min(first + 2, starts.size() - 1)];
    unsigned count = 0; // no sign: from_chars takes none for an unsigned number
    const auto read = std::from_chars(text.data() + starts[first], text.data() + end, count);
    return read.ec == std::errc() ? static_cast<int>(count) : -1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzz::expectSame("warmUpCount", engine::warmUpCount(text, -1), referenceCount(text));
    return 0;
}
