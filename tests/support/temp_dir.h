// temp_dir.h: a fresh directory per test, removed afterwards, and the files in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace tintwise::testing {

struct TempDir
{
    // A random name: tests of one run may go in parallel, and a crashed run leaves its folder.
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("tintwise-test-" + std::to_string(std::random_device{}()));

    TempDir() { std::filesystem::create_directories(path); }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete; // the const path already rules out assignment

    std::filesystem::path write(std::string_view name, std::string_view bytes) const
    {
        std::ofstream(path / name, std::ios::binary) << bytes;
        return path / name;
    }
    std::string read(std::string_view name) const
    {
        std::ifstream in(path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

} // namespace tintwise::testing
