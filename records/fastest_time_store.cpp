// fastest_time_store.cpp: reading, writing and viewing the record files.
#include "fastest_time_store.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <system_error>

namespace tintwise::records {

namespace fs = std::filesystem;

const LevelFile* findLevelFile(std::string_view key)
{
    for (const LevelFile& file : kLevelFiles) {
        if (file.key == key) {
            return &file;
        }
    }
    return nullptr;
}

namespace {

LineRead readFirstLineOrThrow(const fs::path& file)
{
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (status.type() == fs::file_type::not_found) {
        return {ReadStatus::Missing, {}};
    }
    // Only regular files are opened: a directory cannot be read, and a pipe or device could
    // block or never end.
    if (ec || status.type() != fs::file_type::regular) {
        return {ReadStatus::Failed, {}};
    }
    std::FILE* in = std::fopen(file.string().c_str(), "rb");
    if (in == nullptr) {
        return {ReadStatus::Failed, {}};
    }
    std::array<char, kMaxReadBytes> buffer;
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) {
        return {ReadStatus::Failed, {}};
    }
    std::size_t end = 0;
    while (end < n && buffer[end] != '\r' && buffer[end] != '\n') {
        ++end;
    }
    return {ReadStatus::Ok, std::string(buffer.data(), end)};
}

} // namespace

LineRead readFirstLine(const fs::path& file) noexcept
{
    try {
        return readFirstLineOrThrow(file);
    } catch (...) {
        return {ReadStatus::Failed, {}};
    }
}

namespace {

// A name for the temporary file that no other writer, in this process or another, will pick.
fs::path temporarySibling(const fs::path& file)
{
    static std::mt19937_64 names{std::random_device{}()};
    static unsigned counter = 0;
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%016llx%u.tmp", static_cast<unsigned long long>(names()),
                  ++counter);
    fs::path tmp = file;
    tmp += suffix;
    return tmp;
}

bool writeAll(const fs::path& tmp, std::string_view bytes)
{
    // "x": fail rather than reuse a file that is already there.
    std::FILE* out = std::fopen(tmp.string().c_str(), "wbx");
    if (out == nullptr) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    ok = std::fflush(out) == 0 && ok;
    ok = std::fclose(out) == 0 && ok;
    return ok;
}

} // namespace

bool writeLineAtomically(const fs::path& file, std::string_view line) noexcept
{
    try {
        std::string bytes(line);
        bytes += "\r\n";
        const fs::path tmp = temporarySibling(file);
        std::error_code ec;
        if (writeAll(tmp, bytes)) {
            fs::rename(tmp, file, ec);
            if (!ec) {
                return true;
            }
        }
        fs::remove(tmp, ec);
        return false;
    } catch (...) {
        return false;
    }
}

std::int16_t leadingNumber(std::string_view text) noexcept
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Digits beyond the 16-bit range only matter as "too big", so the value stops growing.
    constexpr double kCap = 1e6;
    double value = 0;
    bool anyDigit = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        anyDigit = true;
        if (value < kCap) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            anyDigit = true;
            if (scale > 1e-9) {
                value += (text[i] - '0') * scale;
                scale /= 10;
            }
        }
    }
    if (!anyDigit) {
        return 0;
    }
    if (negative) {
        value = -value;
    }
    value = std::nearbyint(value); // the default rounding mode sends ties to even
    constexpr double lo = std::numeric_limits<std::int16_t>::min();
    constexpr double hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(value < lo ? lo : value > hi ? hi : value);
}

std::int16_t storedCount(std::string_view line) noexcept
{
    return leadingNumber(line.empty() ? line : line.substr(1));
}

FastestTimeStore::FastestTimeStore(fs::path directory) : m_directory(std::move(directory)) {}

fs::path FastestTimeStore::pathOf(std::string_view key) const
{
    const LevelFile* file = findLevelFile(key);
    return file == nullptr ? fs::path() : m_directory / file->fileName;
}

bool FastestTimeStore::CreateFastestFile(std::string_view key) const
{
    const fs::path path = pathOf(key);
    return !path.empty() && writeLineAtomically(path, kNoRecordLine);
}

std::optional<std::string> FastestTimeStore::readRecordLine(std::string_view key) const
{
    const fs::path path = pathOf(key);
    if (path.empty()) {
        return std::nullopt;
    }
    LineRead read = readFirstLine(path);
    if (read.status == ReadStatus::Missing) {
        CreateFastestFile(key); // a failure shows as the second read failing
        read = readFirstLine(path);
    }
    if (read.status != ReadStatus::Ok) {
        return std::nullopt;
    }
    return std::move(read.line);
}

Message FastestTimeStore::view(std::string_view key) const
{
    const LevelFile* file = findLevelFile(key);
    if (file == nullptr) {
        return {};
    }
    const std::string line = readRecordLine(key).value_or(std::string());
    if (line == kNoRecordLine) {
        return {std::string(file->viewTitle), std::string(file->noRecordText)};
    }
    return {std::string(file->viewTitle), std::string(file->hasRecordText) + line};
}

bool FastestTimeStore::reset() const
{
    bool all = true;
    for (const LevelFile& file : kLevelFiles) {
        all = writeLineAtomically(m_directory / file.fileName, kNoRecordLine) && all;
    }
    return all;
}

bool FastestTimeStore::writeRecord(std::string_view key, int count) const
{
    const fs::path path = pathOf(key);
    if (path.empty()) {
        return false;
    }
    std::string line(1, '"');
    line += std::to_string(count);
    line += '"';
    return writeLineAtomically(path, line);
}

} // namespace tintwise::records
