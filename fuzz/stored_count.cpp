// stored_count.cpp: libFuzzer target, the record files' number rule against an exact reference.
#include "fuzz_support.h"

#include <algorithm>
#include <records/fastest_time_store.h>

using namespace tintwise;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The run of digits starting at from (at most text.size()).
std::string_view digitsAt(std::string_view text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return text.substr(from, end - from);
}

// The number at the start of text, decided on its decimal digits alone, with no floating point:
// blanks or tabs, a sign, digits, a fraction; the nearest whole number, ties to even, saturated
// to 16 bits. No digit at all gives 0.
int referenceNumber(std::string_view text)
{
    std::size_t i = std::min(text.find_first_not_of(" \t"), text.size());
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string_view whole = digitsAt(text, i);
    i += whole.size();
    const std::string_view fraction =
        i < text.size() && text[i] == '.' ? digitsAt(text, i + 1) : std::string_view();
    if (whole.empty() && fraction.empty()) {
        return 0;
    }
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > 5) { // 100000 or more: beyond the range either way
        return negative ? -32768 : 32767;
    }
    int magnitude = 0;
    for (const char c : whole) {
        magnitude = magnitude * 10 + (c - '0');
    }
    // Rounding away from zero when the fraction is over one half, or exactly one half on an
    // odd number; the fraction is over one half when its first digit is above 5, or 5 with
    // any non-zero digit after it.
    const int first = fraction.empty() ? 0 : fraction[0] - '0';
    const bool moreAfterFive =
        fraction.size() > 1 && fraction.find_first_not_of('0', 1) != std::string_view::npos;
    if (first > 5 || (first == 5 && (moreAfterFive || magnitude % 2 == 1))) {
        ++magnitude;
    }
    return std::clamp(negative ? -magnitude : magnitude, -32768, 32767);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::bytesOf(data, size);
    const int number = records::leadingNumber(text);
    const int expected = referenceNumber(text);
    if (number != expected) {
        fuzz::mismatch("leadingNumber", text, std::to_string(number), std::to_string(expected));
    }
    // A stored line loses its first byte, the opening quote, whatever that byte is.
    const int count = records::storedCount(text);
    const int expectedCount = referenceNumber(text.empty() ? text : text.substr(1));
    if (count != expectedCount) {
        fuzz::mismatch("storedCount", text, std::to_string(count), std::to_string(expectedCount));
    }
    return 0;
}
