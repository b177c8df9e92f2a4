// temp_dir.h: a fresh directory per test, removed afterwards.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace tintwise::testing {

class TempDir
{
public:
    TempDir()
    {
        static std::atomic<unsigned> counter{0};
        std::random_device entropy;
        m_path = std::filesystem::temp_directory_path() /
                 ("tintwise-test-" + std::to_string(entropy()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    std::filesystem::path write(std::string_view name, std::string_view bytes) const
    {
        const auto file = m_path / name;
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    std::string read(std::string_view name) const
    {
        std::ifstream in(m_path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    bool exists(std::string_view name) const { return std::filesystem::exists(m_path / name); }

private:
    std::filesystem::path m_path;
};

} // namespace tintwise::testing
