// warm_up_count.cpp: libFuzzer target, any time-of-day text through the warm-up count.
#include "fuzz_support.h"

#include <engine/new_game.h>
#include <vector>

using namespace tintwise;

namespace {

// Outside 0..99, so a result tells at once whether the text gave a number.
constexpr int kFallback = -1;

bool startsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// Read forwards, unlike the engine: find where each UTF-8 character starts, take the text from
// the fifth character from the end (all of it when it is shorter), and read the digits at the
// start of its first two characters. Stray continuation bytes go with the character before
// them, or form a piece of their own at the very start, which is no digit.
int referenceCount(std::string_view text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (startsCharacter(text[i])) {
            starts.push_back(i);
        }
    }
    const std::string_view lastFive =
        text.substr(starts.size() >= 5 ? starts[starts.size() - 5] : 0);
    // The first two characters end where a third one starts.
    std::size_t end = 1;
    for (int started = 0; end < lastFive.size(); ++end) {
        if (startsCharacter(lastFive[end]) && ++started == 2) {
            break;
        }
    }
    const std::string_view two = lastFive.substr(0, end);
    std::size_t digits = 0;
    int count = 0;
    for (; digits < two.size() && two[digits] >= '0' && two[digits] <= '9'; ++digits) {
        count = count * 10 + (two[digits] - '0');
    }
    return digits == 0 ? kFallback : count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::bytesOf(data, size);
    const int count = engine::warmUpCount(text, kFallback);
    const int expected = referenceCount(text);
    if (count != expected || (count != kFallback && (count < 0 || count > 99))) {
        fuzz::mismatch("warmUpCount", text, std::to_string(count), std::to_string(expected));
    }
    return 0;
}
