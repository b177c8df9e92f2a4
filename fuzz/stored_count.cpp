// stored_count.cpp: libFuzzer target, the record files' number rule against an exact reference.
#include "fuzz_support.h"

#include <algorithm>
#include <records/fastest_time_store.h>

// The number at the start of text, decided on its decimal digits alone, with no floating point:
// blanks or tabs, a sign, digits, a fraction; the nearest whole number, ties to even, saturated
// to 16 bits. No digit at all gives 0.
static int referenceNumber(std::string_view text)
{
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    const bool negative = text.starts_with('-');
    text.remove_prefix(negative || text.starts_with('+'));
    int magnitude = 0; // held at 100000, past the range either way
    for (; !text.empty() && text[0] >= '0' && text[0] <= '9'; text.remove_prefix(1)) {
        magnitude = std::min(magnitude * 10 + (text[0] - '0'), 100000);
    }
    // The fraction's digits without their trailing zeros: past one half exactly when they sort
    // after "5".
    text = text.starts_with('.') ? text.substr(1, text.find_first_not_of("0123456789", 1) - 1) : "";
    text = text.substr(0, text.find_last_not_of('0') + 1); // all zeros: npos + 1 is 0
    magnitude += text > "5" || (text == "5" && magnitude % 2 == 1);
    return std::clamp(negative ? -magnitude : magnitude, -32768, 32767);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzz::expectSame("leadingNumber", int{records::leadingNumber(text)}, referenceNumber(text));
    // A stored line loses its first byte, the opening quote, whatever that byte is.
    fuzz::expectSame("storedCount", int{records::storedCount(text)},
                     referenceNumber(text.substr(text.empty() ? 0 : 1)));
    return 0;
}
