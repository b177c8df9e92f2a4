// read_first_line.cpp: the first line of a file named by its whole path, for the tools and
// tests that have a path rather than the program's folder. Kept apart from the store, so that
// the game, which never calls it, does not link the file-system calls it needs.
#include "fastest_time_store.h"
#include "platform.h"
#include "read_line.h"

namespace tintwise::records {

namespace fs = std::filesystem;

LineRead readFirstLine(const fs::path& file) noexcept
{
    try {
        const fs::path parent = file.parent_path();
        const platform::Folder folder(parent.empty() ? fs::current_path() : fs::absolute(parent));
        return readLineIn(folder, file.filename().string());
    } catch (...) {
        return {ReadStatus::Failed, {}};
    }
}

} // namespace tintwise::records
