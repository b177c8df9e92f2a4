// platform.h: the few system calls behind the record files, POSIX or Win32 behind one face.
#pragma once

#include <cstddef>
#include <optional>
#include <records/native_path.h>
#include <string>
#include <string_view>
#include <vector>

namespace tintwise::records::platform {

enum class LockStatus
{
    Locked,
    Busy,   // another writer holds it: asking again later may succeed
    Failed, // anything else: asking again will not help
};

enum class OpenStatus
{
    Ok,
    Missing, // no entry of that name: the caller may create the file
    Failed,  // anything else: a link, a folder, a pipe, no permission, a path through a file
};

// A folder opened once. Files are named relative to it, so a long folder path is handed to the
// system only once, and a folder renamed or replaced later cannot redirect a read or a write.
// Names are plain file names without separators.
class Folder
{
public:
    // A relative or empty path is refused: the records never land in whatever the working
    // directory happens to be.
    explicit Folder(const NativePath& path) noexcept;
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool isOpen() const noexcept;

    // Takes the folder's write lock, without waiting, unless another writer in this process or
    // another holds it; held until the Folder is destroyed. A writer that dies loses it at once.
    LockStatus tryLockForWriting() noexcept;

    // At most `limit` bytes of a regular file. A symbolic link is refused, and a pipe or device
    // is never waited on: the file is opened once, then the open file itself is checked.
    OpenStatus read(const std::string& name, std::size_t limit, std::string& bytes) const noexcept;

    // Whether the entry `name` may be replaced: true when there is none. A symbolic link (or
    // another reparse point) may not, nor a file the player cannot write: one without any write
    // permission, which counts as read-only even for the superuser, or one the system would not
    // open for writing.
    bool mayReplace(const std::string& name) const noexcept;

    // Creates `name`, which must not exist yet, with the bytes, and flushes it to the disk. It
    // takes the mode (and, where the system allows, the owner) of the file `like` if there is one,
    // so that replacing a file keeps what the player set on it.
    bool writeNewFile(const std::string& name, std::string_view bytes,
                      const std::string& like) const noexcept;

    // Renames `from` over `to` in one step and flushes the folder, so that after a power loss
    // the folder holds the old file or the new one.
    bool replace(const std::string& from, const std::string& to) const noexcept;

    bool remove(const std::string& name) const noexcept;

    // The names of the folder's entries; names that are not valid in the system's encoding
    // may be left out.
    std::vector<std::string> entryNames() const noexcept;

private:
#ifdef _WIN32
    NativePath m_path;
    void* m_lockFile = nullptr; // HANDLE of the lock file while locked
#else
    int m_fd = -1;
#endif
};

// The folder of the running executable, absolute, taken from the system without converting
// its name to or from any text encoding. nullopt only where the system cannot tell.
std::optional<NativePath> executableDirectory() noexcept;

} // namespace tintwise::records::platform
