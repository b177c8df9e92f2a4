// processes_test.cpp: the record files against writers that are killed mid-write, two copies of
// the game winning at once, readers racing writers and swapped-in pipes, and a power loss.
#include "../support/temp_dir.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <records/fastest_time_store.h>
#include <regex>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using namespace tintwise::records;
using tintwise::testing::TempDir;
namespace fs = std::filesystem;

// Starts the helper program with the given arguments.
template <typename... Args> pid_t spawnWriter(const Args&... args)
{
    const char* argv[] = {RECORD_WRITER, args..., nullptr};
    pid_t pid = -1;
    const bool started =
        ::posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
    return started ? pid : throw std::runtime_error("cannot start the helper"); // never pid -1
}

int exitCode(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(KilledWriter, leavesOneValidLineAndTheNextWriteClearsItsTemporaryFile)
{
    const TempDir dir;
    const FastestTimeStore store(dir.path);
    ASSERT_TRUE(store.reset());
    const std::regex line(R"re("([1-9]|10|11)"\r\n)re"); // nothing torn, empty or doubled
    for (int kill = 0; kill < 250; ++kill) {
        const pid_t writer = spawnWriter("loop", dir.path.c_str());
        // Anywhere in the writer's start and its first few writes.
        std::this_thread::sleep_for(std::chrono::microseconds(std::rand() % 40'000));
        ::kill(writer, SIGKILL);
        ASSERT_EQ(exitCode(writer), 128 + SIGKILL);
        ASSERT_TRUE(std::regex_match(dir.read("Interm.txt"), line))
            << "after kill " << kill << ": [" << dir.read("Interm.txt") << "]";
        ASSERT_TRUE(store.reset()); // the next write
        ASSERT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 3) << "after kill " << kill;
    }
}

TEST(TwoCopiesWinning, keepTheBetterRecordWhileReadersOnlyEverSeeWholeLines)
{
    const TempDir dir;
    const FastestTimeStore store(dir.path);
    ASSERT_TRUE(store.reset());
    const pid_t reader = spawnWriter("read", dir.path.c_str());
    // Both find "6" and save at once. Whichever saves first, the fewer guesses must be what stays.
    for (const auto [first, second] : {std::pair{"2", "5"}, {"5", "2"}, {"3", "4"}}) {
        ASSERT_TRUE(store.reset() && store.writeRecord("Interm", 6) == WriteOutcome::Written);
        const pid_t a = spawnWriter("win", dir.path.c_str(), first);
        const pid_t b = spawnWriter("win", dir.path.c_str(), second);
        EXPECT_EQ(exitCode(a) + exitCode(b), 0);
        const std::string best(std::min<std::string_view>(first, second));
        EXPECT_EQ(dir.read("Interm.txt"), "\"" + best + "\"\r\n");
    }
    ::kill(reader, SIGKILL);
    EXPECT_EQ(exitCode(reader), 128 + SIGKILL) << "a reader saw a partial line";
}

// A copy of the helper saves a record beside itself, started from another working directory.
TEST(ProgramFolder, holdsTheRecordsWhateverItsNameOrLength)
{
    const TempDir dir, elsewhere;
    fs::path nearLimit = dir.path;
    while (nearLimit.native().size() < PATH_MAX - 300) {
        nearLimit /= std::string(200, 'd');
    }
    // Room for the executable's name and the record's, not for a temporary file's.
    nearLimit /= std::string(PATH_MAX - 40 - nearLimit.native().size(), 'e');
    for (const fs::path& folder : {dir.path / "not \xff\xfe UTF-8", nearLimit}) {
        fs::create_directories(folder);
        fs::copy_file(RECORD_WRITER, folder / "tintwise_record_writer");
        const std::string command = "cd '" + elsewhere.path.string() + "' && '" +
                                    (folder / "tintwise_record_writer").string() + "' here";
        EXPECT_EQ(std::system(command.c_str()), 0) << folder;
        EXPECT_EQ(dir.read((folder.lexically_relative(dir.path) / "Interm.txt").string()),
                  "\"4\"\r\n");
    }
    EXPECT_TRUE(fs::is_empty(elsewhere.path));
}

TEST(PowerLoss, findsTheNewFileFlushedBeforeTheRenameAndTheFolderFlushedAfter)
{
    const TempDir dir, logs;
    // A sanitizer build's leak check cannot run under a tracer; the rest of it still does.
    const std::string command =
        "ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:detect_leaks=0\" strace -f -qq -o '" +
        (logs.path / "trace").string() + "' -e trace=openat,fsync,rename,renameat,renameat2 '" +
        RECORD_WRITER + "' once '" + dir.path.string() + "' 3";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ASSERT_EQ(dir.read("Interm.txt"), "\"3\"\r\n");
    // One call a line: the temporary file opened as descriptor N, fsync(N), the rename over the
    // record, then a flush again, which can only be the folder's.
    const std::regex order(R"(Interm\.txt\.[^"/]*\.tmp".* = (\d+)\n[\s\S]*fsync\(\1\)[\s\S]*)"
                           R"(rename[^\n]*\.tmp".*Interm\.txt"[\s\S]*fsync\()");
    EXPECT_TRUE(std::regex_search(logs.read("trace"), order)) << logs.read("trace");
}

// Some file systems (a FAT memory stick, some network mounts) refuse to set a file's mode. The
// record still goes in; only its mode stays the file system's.
TEST(RefusedModeCopy, stillSavesTheRecord)
{
    const TempDir dir;
    dir.write("Interm.txt", "\"11\"\r\n");
    const std::string command =
        "ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:detect_leaks=0\" strace -f -qq -o /dev/null "
        "-e trace=fchmod -e inject=fchmod:error=EPERM '" +
        std::string(RECORD_WRITER) + "' once '" + dir.path.string() + "' 3";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(dir.read("Interm.txt"), "\"3\"\r\n");
}

// Something swaps a pipe and a file in and out under the record's name while the game reads:
// whatever it finds must be checked after opening, or a pipe with no writer blocks the window.
TEST(SwappedInPipe, neverBlocksAReader)
{
    const TempDir dir;
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(20); // a blocked reader dies here instead of hanging the suite
        std::thread swapper([&] {
            for (std::error_code ec;;) {
                ::mkfifo((dir.path / "fifo").c_str(), 0600);
                fs::rename(dir.path / "fifo", dir.path / "Advance.txt", ec);
                fs::rename(dir.write("file", "\"5\"\r\n"), dir.path / "Advance.txt", ec);
            }
        });
        for (int i = 0; i < 200000; ++i) {
            readFirstLine(dir.path / "Advance.txt");
        }
        ::_exit(0); // the swapper ends with the process
    }
    EXPECT_EQ(exitCode(child), 0) << "the reader blocked on a pipe";
}
