// platform_windows.cpp: the record files' system calls on Windows, through wide paths only.
#include "platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace tintwise::records::platform {

namespace {

// The name of the file whose first byte the writers lock. Windows cannot lock a folder, and
// the record files themselves are replaced by every write, so the lock needs a file of its own.
constexpr const wchar_t* kLockFileName = L"Tintwise.lock";

// Record names are ASCII, but UTF-8 is taken whole, never through the ANSI code page.
std::wstring widen(const std::string& text)
{
    if (text.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                            static_cast<int>(text.size()), wide.data(), size);
    }
    return wide;
}

std::string narrow(const wchar_t* text)
{
    const int size =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, -1, utf8.data(), size, nullptr,
                        nullptr);
    utf8.pop_back(); // the terminating NUL
    return utf8;
}

class Handle
{
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle()
    {
        if (valid()) {
            CloseHandle(m_handle);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Whether a path names a place by itself: a drive's root ("C:\\...") or a network or device
// path ("\\\\server\\share", "\\\\?\\C:\\..."). "C:name" and "\\name" hang on the current drive and
// folder, and the records never land wherever those happen to be.
bool isAbsolute(const std::wstring& path)
{
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    const bool driveRoot = path.size() >= 3 && path[1] == L':' && separator(path[2]) &&
                           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    return driveRoot || (path.size() >= 2 && separator(path[0]) && separator(path[1]));
}

// The file `name` in folder.
std::wstring joined(const std::wstring& folder, const std::wstring& name)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') {
        path += L'\\';
    }
    return path + name;
}

} // namespace

Folder::Folder(const NativePath& path) noexcept
{
    try {
        if (!isAbsolute(path)) {
            return;
        }
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            m_path = path;
        }
    } catch (...) {
        m_path.clear();
    }
}

Folder::~Folder()
{
    // Closing the handle also gives up the lock.
    if (m_lockFile != nullptr) {
        CloseHandle(static_cast<HANDLE>(m_lockFile));
    }
}

bool Folder::isOpen() const noexcept { return !m_path.empty(); }

LockStatus Folder::tryLockForWriting() noexcept
{
    if (m_lockFile != nullptr) {
        return LockStatus::Locked;
    }
    if (m_path.empty()) {
        return LockStatus::Failed;
    }
    try {
        const std::wstring lockPath = joined(m_path, kLockFileName);
        HANDLE file = CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return LockStatus::Failed;
        }
        // Windows drops the lock when the process ends, so a crashed writer never holds it.
        OVERLAPPED start{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                       &start)) {
            m_lockFile = file;
            return LockStatus::Locked;
        }
        const bool busy = GetLastError() == ERROR_LOCK_VIOLATION;
        CloseHandle(file);
        return busy ? LockStatus::Busy : LockStatus::Failed;
    } catch (...) {
        return LockStatus::Failed;
    }
}

OpenStatus Folder::read(const std::string& name, std::size_t limit,
                        std::string& bytes) const noexcept
{
    bytes.clear();
    if (m_path.empty()) {
        return OpenStatus::Failed;
    }
    try {
        const std::wstring file = joined(m_path, widen(name));
        // FILE_FLAG_OPEN_REPARSE_POINT opens a link itself, which is then refused below.
        const Handle in(CreateFileW(file.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!in.valid()) {
            return GetLastError() == ERROR_FILE_NOT_FOUND ? OpenStatus::Missing
                                                          : OpenStatus::Failed;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        if (GetFileType(in.get()) != FILE_TYPE_DISK ||
            !GetFileInformationByHandle(in.get(), &info) ||
            (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) !=
                0) {
            return OpenStatus::Failed;
        }
        bytes.resize(limit);
        std::size_t used = 0;
        while (used < limit) {
            DWORD n = 0;
            if (!ReadFile(in.get(), bytes.data() + used, static_cast<DWORD>(limit - used), &n,
                          nullptr)) {
                bytes.clear();
                return OpenStatus::Failed;
            }
            if (n == 0) {
                break;
            }
            used += n;
        }
        bytes.resize(used);
        return OpenStatus::Ok;
    } catch (...) {
        bytes.clear();
        return OpenStatus::Failed;
    }
}

bool Folder::mayReplace(const std::string& name) const noexcept
{
    if (m_path.empty()) {
        return false;
    }
    try {
        const std::wstring file = joined(m_path, widen(name));
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return GetLastError() == ERROR_FILE_NOT_FOUND;
        }
        // A rename over the file would ask only the folder, so the file's own say is asked here.
        if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
            return false;
        }
        const Handle out(CreateFileW(file.c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                                     nullptr));
        return out.valid();
    } catch (...) {
        return false;
    }
}

bool Folder::writeNewFile(const std::string& name, std::string_view bytes,
                          const std::string& like) const noexcept
{
    if (m_path.empty()) {
        return false;
    }
    try {
        // The attributes the player may set on a record (hidden, say) stay with its new file.
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        const DWORD old = GetFileAttributesW(joined(m_path, widen(like)).c_str());
        const DWORD attributes = old == INVALID_FILE_ATTRIBUTES || (old & kKept) == 0
                                     ? FILE_ATTRIBUTE_NORMAL
                                     : old & kKept;
        const std::wstring file = joined(m_path, widen(name));
        const Handle out(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     attributes, nullptr));
        if (!out.valid()) {
            return false;
        }
        DWORD written = 0;
        return WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
               written == bytes.size() && FlushFileBuffers(out.get());
    } catch (...) {
        return false;
    }
}

bool Folder::replace(const std::string& from, const std::string& to) const noexcept
{
    if (m_path.empty()) {
        return false;
    }
    try {
        // Write-through returns only once the rename is on the disk.
        return MoveFileExW(joined(m_path, widen(from)).c_str(), joined(m_path, widen(to)).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    } catch (...) {
        return false;
    }
}

bool Folder::remove(const std::string& name) const noexcept
{
    try {
        return !m_path.empty() && DeleteFileW(joined(m_path, widen(name)).c_str()) != 0;
    } catch (...) {
        return false;
    }
}

std::vector<std::string> Folder::entryNames() const noexcept
{
    std::vector<std::string> names;
    if (m_path.empty()) {
        return names;
    }
    try {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(joined(m_path, L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            std::string name = narrow(found.cFileName);
            if (!name.empty()) {
                names.push_back(std::move(name));
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    } catch (...) {
        names.clear();
    }
    return names;
}

std::optional<NativePath> executableDirectory() noexcept
{
    try {
        std::wstring module(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n =
                GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
            if (n == 0) {
                return std::nullopt;
            }
            if (n < module.size()) {
                module.resize(n);
                break;
            }
            if (module.size() >= 32768) { // the longest path Windows has
                return std::nullopt;
            }
            module.resize(module.size() * 2);
        }
        // All but the last name; a drive's root keeps its separator ("C:\\").
        const std::size_t separator = module.find_last_of(L"\\/");
        if (separator == std::wstring::npos) {
            return std::nullopt;
        }
        module.resize(separator == 2 && module[1] == L':' ? separator + 1 : separator);
        if (!isAbsolute(module)) {
            return std::nullopt;
        }
        return module;
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace tintwise::records::platform
