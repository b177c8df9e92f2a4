// new_game.cpp: the warm-up count and the clock texts behind a new game.
#include "new_game.h"

#include <chrono>
#include <ctime>

namespace tintwise::engine {

namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte offset where the last n characters of UTF-8 text begin.
std::size_t startOfLastChars(std::string_view text, int n)
{
    std::size_t pos = text.size();
    while (n > 0 && pos > 0) {
        --pos;
        if (!isContinuationByte(text[pos])) {
            --n;
        }
    }
    return pos;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int warmUpCount(std::string_view timeOfDay, int fallbackSeconds)
{
    const std::string_view lastFive = timeOfDay.substr(startOfLastChars(timeOfDay, 5));
    // The first two characters of those five are ASCII digits or they are no number at all,
    // so bytes serve from here on.
    const std::string_view two = lastFive.substr(0, 2);
    if (two.empty() || !isDigit(two[0])) {
        return fallbackSeconds;
    }
    int count = two[0] - '0';
    if (two.size() == 2 && isDigit(two[1])) {
        count = count * 10 + (two[1] - '0');
    }
    return count;
}

int currentSeconds()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(now).count() % 60);
}

std::string localTimeOfDay()
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return {};
    }
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, "%X", local);
    return std::string(text, n);
}

} // namespace tintwise::engine
