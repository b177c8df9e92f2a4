// fastest_time_store_test.cpp: the record files as found on disk, good, damaged and absent.
#include "../support/temp_dir.h"

#include <gtest/gtest.h>
#include <records/fastest_time_store.h>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace tintwise::records {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

class Store : public ::testing::Test
{
protected:
    // Only the entries a test made itself, so a stray temporary file would show; Windows keeps
    // its writers' lock in a file of its own.
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::count_if(
            fs::directory_iterator(dir.path), fs::directory_iterator(),
            [](const auto& entry) { return entry.path().filename() != "Tintwise.lock"; }));
    }

    TempDir dir;
    FastestTimeStore store{dir.path};
};

TEST_F(Store, viewingAMissingFileCreatesOnlyThatLevelsNoRecordLine)
{
    const Message box = store.view("Begin");
    EXPECT_EQ(box.title, "Fastest Beginner Time");
    EXPECT_EQ(box.text, "No Fastest Beginner Time has been Established.");
    EXPECT_EQ(dir.read("Begin.txt"), "\"11\"\r\n");
    EXPECT_EQ(entries(), 1u);
}

struct ViewCase
{
    const char* name;
    std::string bytes;
    std::string text; // the whole text of the box
    friend void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.name; }
};

class View : public Store, public ::testing::WithParamInterface<ViewCase>
{
};

TEST_P(View, showsTheFirstLineAsReadAndNeverChangesTheFile)
{
    dir.write("Interm.txt", GetParam().bytes);
    const Message box = store.view("Interm");
    EXPECT_EQ(box.title, "Fastest Intermediate Time");
    EXPECT_EQ(box.text, GetParam().text);
    EXPECT_EQ(dir.read("Interm.txt"), GetParam().bytes);
    EXPECT_EQ(entries(), 1u);
}

const std::string kHas = "The Fastest Intermediate Time is ";
const std::string kNone = "No Fastest Intermediate Time has been Established.";

INSTANTIATE_TEST_SUITE_P(
    Files, View,
    ::testing::Values(ViewCase{"noRecord", "\"11\"\r\n", kNone},
                      ViewCase{"three", "\"3\"\r\n", kHas + "\"3\""},
                      ViewCase{"ten", "\"10\"\r\n", kHas + "\"10\""}, ViewCase{"empty", "", kHas},
                      ViewCase{"bareEleven", "11\r\n", kHas + "11"},
                      ViewCase{"bareSeven", "7", kHas + "7"},
                      ViewCase{"noLineEnd", "\"11\"", kNone},
                      ViewCase{"extraLines", "\"11\"\r\n\"4\"\r\nmore\r\n", kNone},
                      ViewCase{"unixLineEnd", "\"11\"\n", kNone},
                      ViewCase{"garbage", std::string("\x01\xff<b>x</b>\0\x7f", 12) + "\r\n",
                               kHas + std::string("\x01\xff<b>x</b>\0\x7f", 12)}),
    [](const ::testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

TEST_F(Store, aDirectoryInTheFilesPlaceIsReadAsNothingAndLeftAlone)
{
    fs::create_directory(dir.path / "Advance.txt");
    EXPECT_EQ(readFirstLine(dir.path / "Advance.txt").status, ReadStatus::Failed);
    EXPECT_EQ(store.view("Advance").text, "The Fastest Advanced Time is ");
    EXPECT_EQ(store.writeRecord("Advance", 3), WriteOutcome::Failed);
    EXPECT_FALSE(store.CreateFastestFile("Advance"));
    EXPECT_TRUE(fs::is_directory(dir.path / "Advance.txt"));
    EXPECT_EQ(entries(), 1u); // no temporary file left behind
}

// Holds for root too: no permission bit can make a path under a regular file writable.
TEST_F(Store, aDirectoryThatCannotHoldFilesFailsEveryWrite)
{
    const fs::path notADirectory = dir.write("plain", "x");
    const FastestTimeStore blocked(notADirectory);
    EXPECT_FALSE(blocked.CreateFastestFile("Begin"));
    EXPECT_EQ(blocked.writeRecord("Begin", 4), WriteOutcome::Failed);
    EXPECT_FALSE(blocked.reset());
    EXPECT_EQ(blocked.readRecordLine("Begin"), std::nullopt);
    EXPECT_EQ(blocked.view("Begin").text, "The Fastest Beginner Time is ");
    EXPECT_EQ(dir.read("plain"), "x");
}

TEST_F(Store, readsAtMostTheFirstKilobytesOfAHugeFile)
{
    std::string huge(6 << 20, '9');
    dir.write("Begin.txt", huge);
    const LineRead read = readFirstLine(dir.path / "Begin.txt");
    ASSERT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.line.size(), kMaxReadBytes);
    EXPECT_EQ(storedCount(read.line), 32767); // saturates instead of overflowing

    huge.replace(0, 5, "\"2\"\r\n");
    dir.write("Begin.txt", huge);
    EXPECT_EQ(store.readRecordLine("Begin"), "\"2\"");
}

#ifndef _WIN32
TEST_F(Store, aLinkIsNeitherFollowedNorReplacedAndAPathThroughAFileIsNoMissingFile)
{
    dir.write("elsewhere", "\"3\"\r\n");
    fs::create_symlink(dir.path / "elsewhere", dir.path / "Begin.txt");
    fs::create_symlink(dir.path / "nothing", dir.path / "Interm.txt");
    for (const char* name : {"Begin.txt", "Interm.txt"}) {
        EXPECT_EQ(readFirstLine(dir.path / name).status, ReadStatus::Failed) << name;
    }
    EXPECT_EQ(store.view("Begin").text, "The Fastest Beginner Time is ");
    EXPECT_EQ(store.writeRecord("Begin", 2), WriteOutcome::Failed);
    EXPECT_FALSE(store.reset());
    EXPECT_TRUE(fs::is_symlink(dir.path / "Begin.txt"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "Interm.txt"));
    EXPECT_EQ(dir.read("elsewhere"), "\"3\"\r\n");
    EXPECT_FALSE(fs::exists(dir.path / "nothing"));

    dir.write("plain", "x");
    EXPECT_EQ(readFirstLine(dir.path / "plain" / "Begin.txt").status, ReadStatus::Failed);
}

// A writer killed between creating its temporary file and renaming it left this behind.
TEST_F(Store, theNextWriteRemovesWhatACrashedWriterLeft)
{
    dir.write("Interm.txt.00c0ffee00c0ffee7.tmp", "\"");
    dir.write("Begin.txt.1234567890abcdef1.tmp", "");
    EXPECT_EQ(store.writeRecord("Interm", 4), WriteOutcome::Written);
    EXPECT_FALSE(fs::exists(dir.path / "Interm.txt.00c0ffee00c0ffee7.tmp"));
    EXPECT_TRUE(
        fs::exists(dir.path / "Begin.txt.1234567890abcdef1.tmp")); // another file's, for its writer
    EXPECT_TRUE(store.reset());
    EXPECT_EQ(entries(), 3u);
}

// Folders nested to a path just short of the system's limit: the temporary name is longer than
// the record's, so only writes relative to the open folder can reach it.
TEST_F(Store, aFolderPathNearTheSystemLimitWorksLikeAnyOther)
{
    fs::path deep = dir.path;
    while (deep.native().size() < PATH_MAX - 300) {
        deep /= std::string(200, 'd');
    }
    deep /= std::string(PATH_MAX - 20 - deep.native().size(), 'e');
    ASSERT_LT((deep / "Advance.txt").native().size(), std::size_t{PATH_MAX});
    ASSERT_TRUE(fs::create_directories(deep));
    const FastestTimeStore near(deep);
    EXPECT_EQ(near.view("Advance").text, "No Fastest Advanced Time has been Established.");
    EXPECT_EQ(near.writeRecord("Advance", 7), WriteOutcome::Written);
    EXPECT_EQ(near.readRecordLine("Advance"), "\"7\"");
}

// Something swaps a pipe and a file in and out under the record's name while the game reads:
// whatever it finds must be checked after opening, or a pipe with no writer blocks the window.
TEST_F(Store, aPipeSwappedInNeverBlocksAReader)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::alarm(20); // a blocked reader dies here instead of hanging the suite
        const fs::path name = dir.path / "Advance.txt";
        const fs::path fifo = dir.path / "fifo";
        const fs::path file = dir.path / "file";
        std::atomic<bool> done{false};
        std::thread swapper([&] {
            std::error_code ec;
            while (!done) {
                ::mkfifo(fifo.c_str(), 0600);
                fs::rename(fifo, name, ec);
                dir.write("file", "\"5\"\r\n");
                fs::rename(file, name, ec);
            }
        });
        for (int i = 0; i < 200000; ++i) {
            readFirstLine(name);
        }
        done = true;
        swapper.join();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the reader blocked on a pipe (signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0)
        << ")";
}

TEST_F(Store, aSpecialFileIsNeverOpened)
{
    const fs::path fifo = dir.path / "Interm.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening a pipe with no writer would block; the reader must refuse it at once.
    EXPECT_EQ(readFirstLine(fifo).status, ReadStatus::Failed);
    EXPECT_EQ(store.view("Interm").text, "The Fastest Intermediate Time is ");
}
#endif

TEST_F(Store, writesReplaceWholeFilesAndResetReportsAnyThatFailed)
{
    dir.write("Interm.txt", "\"11\"\r\nleft over from an old editor\r\n");
    EXPECT_EQ(store.writeRecord("Interm", 10), WriteOutcome::Written);
    EXPECT_EQ(dir.read("Interm.txt"), "\"10\"\r\n");
    EXPECT_TRUE(store.reset());
    for (const char* name : {"Begin.txt", "Interm.txt", "Advance.txt"}) {
        EXPECT_EQ(dir.read(name), "\"11\"\r\n") << name;
    }

    fs::remove(dir.path / "Interm.txt");
    fs::create_directory(dir.path / "Interm.txt");
    dir.write("Advance.txt", "\"5\"\r\n");
    EXPECT_FALSE(store.reset());
    EXPECT_EQ(dir.read("Advance.txt"), "\"11\"\r\n"); // the others are still written
    EXPECT_EQ(entries(), 3u);                         // and no temporary file is left
}

// Greek and Japanese in one folder name: no Windows ANSI code page but UTF-8 holds both.
TEST_F(Store, keepsRecordsInAFolderWhoseNameNoCodePageHolds)
{
    const fs::path folder =
        dir.path / fs::path(u8"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac-\u65e5\u672c");
    fs::create_directory(folder);
    const FastestTimeStore there(folder);

    EXPECT_EQ(there.view("Begin").text, "No Fastest Beginner Time has been Established.");
    {
        // Closed before the write: Windows cannot replace a file that is open without sharing.
        std::ifstream created(folder / "Begin.txt", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(created), {}), "\"11\"\r\n");
    }
    EXPECT_EQ(there.writeRecord("Begin", 4), WriteOutcome::Written);
    EXPECT_EQ(there.readRecordLine("Begin"), "\"4\"");
    EXPECT_EQ(there.view("Begin").text, "The Fastest Beginner Time is \"4\"");
}

TEST(StoredCount, dropsTheOpeningQuoteThenRoundsAndSaturatesTheLeadingNumber)
{
    EXPECT_EQ(storedCount("\"7\""), 7);
    EXPECT_EQ(storedCount("\"10\""), 10);
    EXPECT_EQ(storedCount("11"), 1); // a bare 11 loses its first digit
    EXPECT_EQ(storedCount("7"), 0);
    EXPECT_EQ(storedCount("\"x7\""), 0);
    EXPECT_EQ(leadingNumber(" -3\""), -3);
    EXPECT_EQ(leadingNumber("2.5"), 2); // ties go to even
    EXPECT_EQ(leadingNumber("6.7\""), 7);
    EXPECT_EQ(leadingNumber(".4"), 0);
    EXPECT_EQ(leadingNumber("32768"), 32767);
    EXPECT_EQ(leadingNumber("-99999999999999999999999"), -32768);
    EXPECT_EQ(leadingNumber("-."), 0);
    // Decided by every digit, however many: a double keeps too few of them.
    EXPECT_EQ(leadingNumber("22100.5000000000003"), 22101);
    EXPECT_EQ(leadingNumber("2.5000000001"), 3);
    EXPECT_EQ(leadingNumber("-3.50000000000000000001"), -4);
    EXPECT_EQ(leadingNumber("4.4999999999999999999"), 4);
    EXPECT_EQ(leadingNumber("32767.5"), 32767);
}

} // namespace
} // namespace tintwise::records
