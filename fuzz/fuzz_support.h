// fuzz_support.h: the fuzz targets' private scratch folder, the first-line reference and reporting.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace tintwise::fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// A C-style quoted copy of text, so that any byte shows in a report.
inline std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Prints what differed and aborts, which libFuzzer reports as a crash and saves the input of.
[[noreturn]] inline void mismatch(const char* what, std::string_view input, const std::string& got,
                                  const std::string& expected)
{
    std::fprintf(stderr, "MISMATCH in %s\n  input:    %s\n  got:      %s\n  expected: %s\n", what,
                 quoted(input).c_str(), got.c_str(), expected.c_str());
    std::abort();
}

// One folder per fuzzing process, made by mkdtemp (mode 0700) so that no one else can put or
// read files in it, and removed at a normal exit.
class ScratchDir
{
public:
    ScratchDir()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tintwise-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("tintwise fuzz: mkdtemp");
            std::abort();
        }
        m_path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    std::filesystem::path write(std::string_view name, std::string_view bytes) const
    {
        const std::filesystem::path file = m_path / name;
        std::FILE* out = std::fopen(file.c_str(), "wb");
        const bool ok = out != nullptr &&
                        std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() &&
                        std::fclose(out) == 0;
        if (!ok) {
            std::perror("tintwise fuzz: writing a scratch file");
            std::abort();
        }
        return file;
    }

    std::string read(std::string_view name) const
    {
        std::string bytes;
        if (std::FILE* in = std::fopen((m_path / name).c_str(), "rb")) {
            char buffer[4096];
            std::size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
                bytes.append(buffer, n);
            }
            std::fclose(in);
        }
        return bytes;
    }

private:
    std::filesystem::path m_path;
};

inline const ScratchDir& scratch()
{
    static const ScratchDir dir;
    return dir;
}

// What a record file's first line must read as: the bytes before the first CR or LF, looking
// at no more than the reader's limit.
inline std::string_view expectedFirstLine(std::string_view content, std::size_t limit)
{
    const std::string_view head = content.substr(0, limit);
    return head.substr(0, head.find_first_of("\r\n"));
}

} // namespace tintwise::fuzz
