// fastest_time_store.h: the three one-line record files beside the executable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <records/native_path.h>
#include <string>
#include <string_view>

namespace tintwise::records {

// One level's record file and the texts of its view command.
struct LevelFile
{
    std::string_view key;           // "Begin", "Interm", "Advance"
    std::string_view fileName;      // "Begin.txt"
    std::string_view viewTitle;     // title of both view boxes
    std::string_view hasRecordText; // followed by the stored line as read
    std::string_view noRecordText;
};

inline constexpr std::array<LevelFile, 3> kLevelFiles = {{
    {"Begin", "Begin.txt", "Fastest Beginner Time", "The Fastest Beginner Time is ",
     "No Fastest Beginner Time has been Established."},
    {"Interm", "Interm.txt", "Fastest Intermediate Time", "The Fastest Intermediate Time is ",
     "No Fastest Intermediate Time has been Established."},
    {"Advance", "Advance.txt", "Fastest Advanced Time", "The Fastest Advanced Time is ",
     "No Fastest Advanced Time has been Established."},
}};

// The exact, case-sensitive key lookup; any other key has no file.
const LevelFile* findLevelFile(std::string_view key);

// "11" in quotes: no fastest time yet. 11 is one above the most guesses a game allows, so the
// first win on a level always beats it.
inline constexpr std::string_view kNoRecordLine = "\"11\"";

// A reader never takes more than this from a file, whatever sits in the file's place.
inline constexpr std::size_t kMaxReadBytes = 4096;

// The title of the store's own failure boxes, and their texts.
inline constexpr std::string_view kAppTitle = "Tintwise";
inline constexpr std::string_view kSaveFailedText = "The new fastest time could not be saved.";
inline constexpr std::string_view kResetFailedText = "The fastest times could not be reset.";
inline constexpr std::string_view kReadFailedText =
    "The fastest time could not be read, so this win could not be kept.";

struct Message
{
    std::string title;
    std::string text;
};

enum class ReadStatus
{
    Ok,
    Missing, // nothing at the path: the caller may create the file
    Failed,  // anything else: not a regular file, unreadable, a path through a file
};

struct LineRead
{
    ReadStatus status = ReadStatus::Failed;
    std::string line; // the first line without its end; empty unless status is Ok
};

// The first line of a regular file: the bytes before the first CR or LF within the first
// kMaxReadBytes. A symbolic link is refused, a pipe or device is never waited on, and only "no
// such file" is Missing. Never throws.
LineRead readFirstLine(const std::filesystem::path& file) noexcept;

// The number at the start of text: optional blanks and sign, digits, an optional fraction;
// rounded to the nearest whole number (ties to even), decided exactly from the digits, and
// saturated to the 16-bit range. Text that does not start with a number gives 0.
std::int16_t leadingNumber(std::string_view text) noexcept;

// A stored line's count: the line loses its first character (the opening quote), and the
// number at the start of the rest is the count. "\"7\"" gives 7; a bare 7 gives 0.
std::int16_t storedCount(std::string_view line) noexcept;

// The folder of the running executable, where the game keeps its records: absolute, and found
// without converting its name through any text encoding. Empty where the system cannot tell,
// which fails every read and write rather than use the working directory.
NativePath programDirectory();

enum class WriteOutcome
{
    Written,
    KeptStored, // the file already holds a count as good or better: nothing was written
    Failed,
};

// The record files of one folder. Every write replaces a whole file: the line goes to a
// temporary file in the same folder, flushed to the disk, which is then renamed over the old
// one, so a crash or a power loss leaves the old line or the new one, and the new file keeps the
// old one's mode. Writers hold the folder's write lock, so two running copies of the game take
// turns; a writer that cannot have it within two seconds fails. A temporary file that a crashed
// writer left behind is removed by the next write to that file. A record file that is a symbolic
// link is neither read nor replaced, and one the player cannot write (made read-only, say) is
// left as it is: writing it fails.
class FastestTimeStore
{
public:
    // The folder must be absolute; any other path fails every read and write.
    explicit FastestTimeStore(NativePath directory);

    const NativePath& directory() const { return m_directory; }

    // Writes the no-record line into the level's file, unless another writer has created the
    // file meanwhile. True when the file is there afterwards. Unknown key: nothing, and false.
    bool CreateFastestFile(std::string_view key) const;

    // The level's first line, read afresh. A missing file is first created holding the
    // no-record line. nullopt when no line could be read (unknown key included).
    std::optional<std::string> readRecordLine(std::string_view key) const;

    // The view command's box: the no-record text for the line "11" in quotes, else the
    // has-record text followed by the line exactly as read (nothing when it could not be).
    Message view(std::string_view key) const;

    // Writes the no-record line into all three files, each attempted; true when all three
    // were written.
    bool reset() const;

    // Replaces the level's file with the count in quotes if the count beats what the file
    // holds at this moment (a missing file holds nothing), read again under the write lock:
    // another copy of the game may have saved a better count since this one read it.
    WriteOutcome writeRecord(std::string_view key, int count) const;

private:
    NativePath m_directory;
};

} // namespace tintwise::records
