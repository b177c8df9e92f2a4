// fastest_time_store.cpp: reading, writing and viewing the record files.
#include "fastest_time_store.h"

#include "platform.h"
#include "read_line.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <random>
#include <thread>

namespace tintwise::records {

const LevelFile* findLevelFile(std::string_view key)
{
    for (const LevelFile& file : kLevelFiles) {
        if (file.key == key) {
            return &file;
        }
    }
    return nullptr;
}

LineRead readLineIn(const platform::Folder& folder, const std::string& name)
{
    std::string bytes;
    switch (folder.read(name, kMaxReadBytes, bytes)) {
    case platform::OpenStatus::Missing:
        return {ReadStatus::Missing, {}};
    case platform::OpenStatus::Failed:
        return {ReadStatus::Failed, {}};
    case platform::OpenStatus::Ok:
        break;
    }
    bytes.resize(std::min(bytes.find_first_of("\r\n"), bytes.size()));
    return {ReadStatus::Ok, std::move(bytes)};
}

namespace {

constexpr std::string_view kTemporaryEnd = ".tmp";

// A name for the temporary file that no other writer, in this process or another, will pick:
// the record's name, a dot, 16 random hex digits, a counter and ".tmp".
std::string temporaryNameFor(const std::string& name)
{
    static std::mt19937_64 names{std::random_device{}()};
    static unsigned counter = 0;
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%016llx%u", static_cast<unsigned long long>(names()),
                  ++counter);
    return name + suffix + std::string(kTemporaryEnd);
}

// Whether entry is a temporary file of the record `name`, as temporaryNameFor makes them.
bool isTemporaryOf(std::string_view entry, std::string_view name)
{
    if (entry.size() <= name.size() + 1 + kTemporaryEnd.size() ||
        entry.substr(0, name.size()) != name || entry[name.size()] != '.' ||
        !entry.ends_with(kTemporaryEnd)) {
        return false;
    }
    const std::string_view middle =
        entry.substr(name.size() + 1, entry.size() - name.size() - 1 - kTemporaryEnd.size());
    return std::all_of(middle.begin(), middle.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Replaces the record file `name` with line and CR LF. The caller holds the folder's write lock.
bool replaceLine(const platform::Folder& folder, const std::string& name, std::string_view line)
{
    // Every writer holds the lock while its temporary file exists, so one found now was left by
    // a writer that died.
    for (const std::string& entry : folder.entryNames()) {
        if (isTemporaryOf(entry, name)) {
            folder.remove(entry);
        }
    }
    // A link, or a file the player made read-only, is refused, not replaced by a new file
    // behind the player's back.
    if (!folder.mayReplace(name)) {
        return false;
    }
    std::string bytes(line);
    bytes += "\r\n";
    const std::string temporary = temporaryNameFor(name);
    if (folder.writeNewFile(temporary, bytes, name) && folder.replace(temporary, name)) {
        return true;
    }
    folder.remove(temporary);
    return false;
}

// How long a writer waits for the folder's write lock before it gives up: long enough for any
// other copy of the game to finish a write, short enough that the window never seems to hang.
constexpr std::chrono::milliseconds kLockPatience{2000};

// The folder of the store, opened and locked for writing; not open when either failed.
class WritableFolder
{
public:
    explicit WritableFolder(const NativePath& directory) : m_folder(directory)
    {
        // Asked without waiting, again and again: a blocking wait would freeze the window for
        // as long as another process chose to hold the lock.
        const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
        platform::LockStatus status = m_folder.tryLockForWriting();
        while (status == platform::LockStatus::Busy &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            status = m_folder.tryLockForWriting();
        }
        m_locked = status == platform::LockStatus::Locked;
    }
    bool ready() const { return m_locked; }
    const platform::Folder& operator*() const { return m_folder; }

private:
    platform::Folder m_folder;
    bool m_locked = false;
};

} // namespace

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
    auto isDigit = [&](std::size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };

    // Digits beyond the 16-bit range only matter as "too big", so the value stops growing.
    constexpr long kCap = 1'000'000;
    long whole = 0;
    bool anyDigit = false;
    for (; isDigit(i); ++i) {
        anyDigit = true;
        if (whole < kCap) {
            whole = whole * 10 + (text[i] - '0');
        }
    }
    // Rounding needs only the first fraction digit and whether any digit after it is not 0,
    // which decides every case exactly, however many digits there are.
    int firstFraction = 0;
    bool restNonZero = false;
    if (i < text.size() && text[i] == '.') {
        for (std::size_t at = i + 1; isDigit(at); ++at) {
            const int digit = text[at] - '0';
            if (at == i + 1) {
                firstFraction = digit;
            } else {
                restNonZero = restNonZero || digit != 0;
            }
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    // Ties go to the even neighbour; rounding the magnitude does the same for negative numbers.
    if (firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1))) {
        ++whole;
    }
    const long value = negative ? -whole : whole;
    constexpr long lo = std::numeric_limits<std::int16_t>::min();
    constexpr long hi = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(value, lo, hi));
}

std::int16_t storedCount(std::string_view line) noexcept
{
    return leadingNumber(line.empty() ? line : line.substr(1));
}

NativePath programDirectory() { return platform::executableDirectory().value_or(NativePath()); }

FastestTimeStore::FastestTimeStore(NativePath directory) : m_directory(std::move(directory)) {}

bool FastestTimeStore::CreateFastestFile(std::string_view key) const
{
    const LevelFile* file = findLevelFile(key);
    if (file == nullptr) {
        return false;
    }
    const WritableFolder folder(m_directory);
    if (!folder.ready()) {
        return false;
    }
    // Another copy of the game may have created the file, and even saved a record in it,
    // since this one found it missing.
    const std::string name(file->fileName);
    const ReadStatus status = readLineIn(*folder, name).status;
    return status == ReadStatus::Ok ||
           (status == ReadStatus::Missing && replaceLine(*folder, name, kNoRecordLine));
}

std::optional<std::string> FastestTimeStore::readRecordLine(std::string_view key) const
{
    const LevelFile* file = findLevelFile(key);
    if (file == nullptr) {
        return std::nullopt;
    }
    const std::string name(file->fileName);
    const platform::Folder folder(m_directory);
    LineRead read = readLineIn(folder, name);
    if (read.status == ReadStatus::Missing) {
        CreateFastestFile(key); // a failure shows as the second read failing
        read = readLineIn(folder, name);
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
    const WritableFolder folder(m_directory);
    if (!folder.ready()) {
        return false;
    }
    bool all = true;
    for (const LevelFile& file : kLevelFiles) {
        all = replaceLine(*folder, std::string(file.fileName), kNoRecordLine) && all;
    }
    return all;
}

WriteOutcome FastestTimeStore::writeRecord(std::string_view key, int count) const
{
    const LevelFile* file = findLevelFile(key);
    if (file == nullptr) {
        return WriteOutcome::Failed;
    }
    const WritableFolder folder(m_directory);
    if (!folder.ready()) {
        return WriteOutcome::Failed;
    }
    const std::string name(file->fileName);
    const LineRead now = readLineIn(*folder, name);
    if (now.status == ReadStatus::Failed) {
        return WriteOutcome::Failed; // what it holds is unknown, so it cannot be beaten
    }
    if (now.status == ReadStatus::Ok && count >= storedCount(now.line)) {
        return WriteOutcome::KeptStored;
    }
    std::string line(1, '"');
    line += std::to_string(count);
    line += '"';
    return replaceLine(*folder, name, line) ? WriteOutcome::Written : WriteOutcome::Failed;
}

} // namespace tintwise::records
