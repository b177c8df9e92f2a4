// platform_posix.cpp: the record files' system calls on Linux and other POSIX systems.
#include "platform.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintwise::records::platform {

namespace {

// Far beyond any path the kernel reports; a bound for the growing buffer all the same.
constexpr std::size_t kMaxPathBytes = 1 << 20;

// Repeats a system call that a signal interrupted.
template <typename Call> auto retrying(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = retrying([&] { return ::write(fd, bytes.data(), bytes.size()); });
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

Folder::Folder(const NativePath& path) noexcept
{
    if (!path.empty() && path.front() == '/') {
        m_fd = retrying([&] { return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    }
}

Folder::~Folder()
{
    // Closing the descriptor also gives up the write lock.
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool Folder::isOpen() const noexcept { return m_fd >= 0; }

LockStatus Folder::tryLockForWriting() noexcept
{
    // flock belongs to the open folder, not to a file that a rename replaces, and the kernel
    // drops it when the process dies, so a crashed writer never leaves it held.
    if (m_fd < 0) {
        return LockStatus::Failed;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        return LockStatus::Locked;
    }
    return errno == EWOULDBLOCK || errno == EINTR ? LockStatus::Busy : LockStatus::Failed;
}

OpenStatus Folder::read(const std::string& name, std::size_t limit,
                        std::string& bytes) const noexcept
{
    bytes.clear();
    if (m_fd < 0) {
        return OpenStatus::Failed;
    }
    // O_NONBLOCK: opening a pipe with no writer returns at once instead of waiting for one.
    const int fd = retrying([&] {
        return ::openat(m_fd, name.c_str(),
                        O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    });
    if (fd < 0) {
        return errno == ENOENT ? OpenStatus::Missing : OpenStatus::Failed;
    }
    OpenStatus status = OpenStatus::Failed;
    struct stat info
    {
    };
    try {
        // Whatever was swapped in before the open, this is the file that is read.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
            bytes.resize(limit);
            std::size_t used = 0;
            ssize_t n = 0;
            while (used < limit && (n = retrying([&] {
                                        return ::read(fd, bytes.data() + used, limit - used);
                                    })) > 0) {
                used += static_cast<std::size_t>(n);
            }
            bytes.resize(used);
            status = n < 0 ? OpenStatus::Failed : OpenStatus::Ok;
        }
    } catch (...) {
        status = OpenStatus::Failed;
    }
    ::close(fd);
    if (status != OpenStatus::Ok) {
        bytes.clear();
    }
    return status;
}

bool Folder::mayReplace(const std::string& name) const noexcept
{
    struct stat info
    {
    };
    if (m_fd < 0 || ::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return m_fd >= 0 && errno == ENOENT;
    }
    // The rename that replaces a file asks only the folder's permission, so the file's own is
    // checked here.
    return !S_ISLNK(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           ::faccessat(m_fd, name.c_str(), W_OK, AT_EACCESS) == 0;
}

bool Folder::writeNewFile(const std::string& name, std::string_view bytes,
                          const std::string& like) const noexcept
{
    if (m_fd < 0) {
        return false;
    }
    const int fd = retrying([&] {
        return ::openat(m_fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        0666);
    });
    if (fd < 0) {
        return false;
    }
    struct stat old
    {
    };
    if (::fstatat(m_fd, like.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(old.st_mode)) {
        // Only the superuser may give a file away: a record it replaces stays the player's, who
        // can then still write it. For anyone else this changes nothing or fails, harmlessly.
        [[maybe_unused]] const int given = ::fchown(fd, old.st_uid, old.st_gid);
        // A file system without modes (a FAT memory stick) refuses this; the record matters more.
        [[maybe_unused]] const int kept = ::fchmod(fd, old.st_mode & 07777);
    }
    bool ok = writeAll(fd, bytes);
    // Without it a power loss after the rename could leave the new name on an empty file.
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool Folder::replace(const std::string& from, const std::string& to) const noexcept
{
    if (m_fd < 0 || ::renameat(m_fd, from.c_str(), m_fd, to.c_str()) != 0) {
        return false;
    }
    // The rename lives in the folder: flush it too. A file system that cannot flush a folder
    // says EINVAL; it has nothing more to do.
    return retrying([&] { return ::fsync(m_fd); }) == 0 || errno == EINVAL;
}

bool Folder::remove(const std::string& name) const noexcept
{
    return m_fd >= 0 && ::unlinkat(m_fd, name.c_str(), 0) == 0;
}

std::vector<std::string> Folder::entryNames() const noexcept
{
    std::vector<std::string> names;
    if (m_fd < 0) {
        return names;
    }
    // A descriptor of its own: the listing must not move the folder's shared offset.
    const int fd = ::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return names;
    }
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return names;
    }
    try {
        while (const dirent* entry = ::readdir(dir)) {
            names.emplace_back(entry->d_name);
        }
    } catch (...) {
        names.clear();
    }
    ::closedir(dir);
    return names;
}

std::optional<NativePath> executableDirectory() noexcept
{
#ifdef __linux__
    try {
        // The link holds the executable's path as bytes, whatever their encoding; its target
        // is the real file, so a symbolic link that started the program does not count.
        std::string target(256, '\0');
        for (;;) {
            const ssize_t n = ::readlink("/proc/self/exe", target.data(), target.size());
            if (n < 0) {
                return std::nullopt;
            }
            if (static_cast<std::size_t>(n) < target.size()) {
                target.resize(static_cast<std::size_t>(n));
                break;
            }
            if (target.size() >= kMaxPathBytes) {
                return std::nullopt;
            }
            target.resize(target.size() * 2);
        }
        // The kernel gives an absolute path; its folder is all but the last name.
        const std::size_t slash = target.rfind('/');
        if (target.empty() || target.front() != '/' || slash == std::string::npos) {
            return std::nullopt;
        }
        target.resize(slash == 0 ? 1 : slash);
        return target;
    } catch (...) {
        return std::nullopt;
    }
#else
    return std::nullopt;
#endif
}

} // namespace tintwise::records::platform
