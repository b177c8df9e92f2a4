// processes_test.cpp: the record files against writers that are killed mid-write, two copies of
// the game winning at once, readers racing the writers, and a power loss after the rename.
#include "../support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <records/fastest_time_store.h>
#include <regex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace tintwise::records {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// Starts the helper program with the given arguments.
pid_t spawnWriter(const std::vector<std::string>& args)
{
    std::vector<std::string> all{RECORD_WRITER};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
    return pid;
}

int exitCode(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// One line, a count 1..11 in quotes, CR LF: nothing torn, empty or doubled.
bool isValidRecordFile(const std::string& bytes)
{
    static const std::regex line(R"re("([1-9]|10|11)"\r\n)re");
    return std::regex_match(bytes, line);
}

std::vector<std::string> temporaryFiles(const fs::path& dir)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".tmp") {
            found.push_back(entry.path().filename().string());
        }
    }
    return found;
}

TEST(KilledWriter, leavesOneValidLineAndTheNextWriteClearsItsTemporaryFile)
{
    TempDir dir;
    const FastestTimeStore store(dir.path);
    ASSERT_TRUE(store.reset());
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> delay(0, 40'000); // microseconds: the writer's start and
                                                         // a few of its writes
    constexpr int kKills = 250;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t writer = spawnWriter({"loop", dir.path.string()});
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(writer, SIGKILL);
        ASSERT_EQ(exitCode(writer), 128 + SIGKILL);

        const std::string bytes = dir.read("Interm.txt");
        ASSERT_TRUE(isValidRecordFile(bytes)) << "after kill " << kill << ": [" << bytes << "]";
        ASSERT_TRUE(store.reset()); // the next write
        ASSERT_EQ(temporaryFiles(dir.path), std::vector<std::string>{}) << "after kill " << kill;
    }
}

// The test's own writes replace the file in one step too, so the reader only judges the game's.
void replaceFile(const TempDir& dir, const std::string& bytes)
{
    dir.write("Interm.txt.new", bytes);
    fs::rename(dir.path / "Interm.txt.new", dir.path / "Interm.txt");
}

TEST(TwoCopiesWinning, keepTheBetterRecordWhileReadersOnlyEverSeeWholeLines)
{
    TempDir dir;
    replaceFile(dir, "\"6\"\r\n");
    const pid_t reader = spawnWriter({"read", dir.path.string()});
    // Both read "6" at once; one closes its congratulation early and saves, the other saves
    // after it. Whichever order, the fewer guesses must be what stays.
    struct Round
    {
        int first, firstHold, second, secondHold;
    };
    for (const Round& round : {Round{2, 30, 5, 400}, Round{5, 30, 2, 400}, Round{3, 200, 4, 20}}) {
        replaceFile(dir, "\"6\"\r\n");
        const pid_t a = spawnWriter({"win", dir.path.string(), std::to_string(round.first),
                                     std::to_string(round.firstHold)});
        const pid_t b = spawnWriter({"win", dir.path.string(), std::to_string(round.second),
                                     std::to_string(round.secondHold)});
        EXPECT_EQ(exitCode(a), 0);
        EXPECT_EQ(exitCode(b), 0);
        const int best = std::min(round.first, round.second);
        EXPECT_EQ(dir.read("Interm.txt"), "\"" + std::to_string(best) + "\"\r\n");
    }
    ::kill(reader, SIGKILL);
    EXPECT_EQ(exitCode(reader), 128 + SIGKILL) << "a reader saw a partial line";
}

// A copy of the helper saves a record beside itself, started from another working directory.
TEST(ProgramFolder, holdsTheRecordsWhateverItsNameOrLength)
{
    TempDir dir;
    TempDir elsewhere;
    fs::path nearLimit = dir.path;
    while (nearLimit.native().size() < PATH_MAX - 300) {
        nearLimit /= std::string(200, 'd');
    }
    // Room for the executable's name and the record's, not for a temporary file's.
    nearLimit /= std::string(PATH_MAX - 40 - nearLimit.native().size(), 'e');
    const std::string nonUtf8 = "not \xff\xfe UTF-8";
    for (const fs::path& folder : {dir.path / nonUtf8, nearLimit}) {
        fs::create_directories(folder);
        const fs::path copy = folder / "tintwise_record_writer";
        fs::copy_file(RECORD_WRITER, copy);
        ASSERT_LT(copy.native().size(), std::size_t{PATH_MAX});
        const std::string command =
            "cd '" + elsewhere.path.string() + "' && '" + copy.string() + "' here";
        EXPECT_EQ(std::system(command.c_str()), 0) << folder;
        std::ifstream saved(folder / "Begin.txt", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), "\"4\"\r\n") << folder;
    }
    EXPECT_TRUE(fs::is_empty(elsewhere.path));
}

// What strace saw of the helper's system calls, one call per line.
std::vector<std::string> traceOf(const std::vector<std::string>& args, const fs::path& log)
{
    // A sanitizer build's leak check cannot run under a tracer; the rest of it still does.
    std::string command = "ASAN_OPTIONS=\"${ASAN_OPTIONS:-}:detect_leaks=0\" strace -f -qq -o '" +
                          log.string() +
                          "' -e trace=openat,write,fsync,fdatasync,rename,renameat,renameat2 '" +
                          std::string(RECORD_WRITER) + "'";
    for (const std::string& arg : args) {
        command += " '" + arg + "'";
    }
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::string> lines;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(PowerLoss, findsTheNewFileFlushedBeforeTheRenameAndTheRenameFlushedAfter)
{
    TempDir dir;
    TempDir logs;
    const auto trace = traceOf({"once", dir.path.string(), "3"}, logs.path / "trace");
    ASSERT_EQ(dir.read("Interm.txt"), "\"3\"\r\n");

    // Follow the temporary file's descriptor and the rename through the trace.
    const std::regex openTemp(R"(openat\(.*Interm\.txt\.[^"/]*\.tmp".* = (\d+)$)");
    const std::regex rename(R"(rename.*Interm\.txt\.[^"/]*\.tmp".*Interm\.txt")");
    std::string tempFd;
    bool tempFlushed = false;
    bool renamed = false;
    bool folderFlushedAfter = false;
    for (const std::string& line : trace) {
        std::smatch match;
        if (std::regex_search(line, match, openTemp)) {
            tempFd = match[1];
        } else if (!tempFd.empty() && !renamed &&
                   line.find("fsync(" + tempFd + ")") != std::string::npos) {
            tempFlushed = true;
        } else if (std::regex_search(line, rename)) {
            renamed = true;
        } else if (renamed && line.find("fsync(") != std::string::npos) {
            folderFlushedAfter = true;
        }
    }
    EXPECT_FALSE(tempFd.empty());
    EXPECT_TRUE(tempFlushed) << "the new file was not flushed before the rename";
    EXPECT_TRUE(renamed);
    EXPECT_TRUE(folderFlushedAfter) << "the folder was not flushed after the rename";
}

} // namespace
} // namespace tintwise::records
