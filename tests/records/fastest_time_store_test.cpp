// fastest_time_store_test.cpp: the record files as found on disk, good, damaged and absent.
#include "../support/temp_dir.h"

#include <gtest/gtest.h>
#include <records/fastest_time_store.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tintwise::records {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

class Store : public ::testing::Test
{
protected:
    // Only the entries a test made itself, so a stray temporary file would show.
    std::size_t entries() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
    }

    TempDir dir;
    FastestTimeStore store{dir.path()};
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
    fs::create_directory(dir.path() / "Advance.txt");
    EXPECT_EQ(readFirstLine(dir.path() / "Advance.txt").status, ReadStatus::Failed);
    EXPECT_EQ(store.view("Advance").text, "The Fastest Advanced Time is ");
    EXPECT_FALSE(store.writeRecord("Advance", 3));
    EXPECT_FALSE(store.CreateFastestFile("Advance"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Advance.txt"));
    EXPECT_EQ(entries(), 1u); // no temporary file left behind
}

// Holds for root too: no permission bit can make a path under a regular file writable.
TEST_F(Store, aDirectoryThatCannotHoldFilesFailsEveryWrite)
{
    const fs::path notADirectory = dir.write("plain", "x");
    const FastestTimeStore blocked(notADirectory);
    EXPECT_FALSE(blocked.CreateFastestFile("Begin"));
    EXPECT_FALSE(blocked.writeRecord("Begin", 4));
    EXPECT_FALSE(blocked.reset());
    EXPECT_EQ(blocked.readRecordLine("Begin"), std::nullopt);
    EXPECT_EQ(blocked.view("Begin").text, "The Fastest Beginner Time is ");
    EXPECT_EQ(dir.read("plain"), "x");
}

TEST_F(Store, readsAtMostTheFirstKilobytesOfAHugeFile)
{
    std::string huge(6 << 20, '9');
    dir.write("Begin.txt", huge);
    const LineRead read = readFirstLine(dir.path() / "Begin.txt");
    ASSERT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.line.size(), kMaxReadBytes);
    EXPECT_EQ(storedCount(read.line), 32767); // saturates instead of overflowing

    huge.replace(0, 5, "\"2\"\r\n");
    dir.write("Begin.txt", huge);
    EXPECT_EQ(store.readRecordLine("Begin"), "\"2\"");
}

#ifndef _WIN32
TEST_F(Store, aSpecialFileIsNeverOpened)
{
    const fs::path fifo = dir.path() / "Interm.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opening a pipe with no writer would block; the reader must refuse it at once.
    EXPECT_EQ(readFirstLine(fifo).status, ReadStatus::Failed);
    EXPECT_EQ(store.view("Interm").text, "The Fastest Intermediate Time is ");
}
#endif

TEST_F(Store, writesReplaceWholeFilesAndResetReportsAnyThatFailed)
{
    dir.write("Interm.txt", "\"11\"\r\nleft over from an old editor\r\n");
    EXPECT_TRUE(store.writeRecord("Interm", 10));
    EXPECT_EQ(dir.read("Interm.txt"), "\"10\"\r\n");
    EXPECT_TRUE(store.reset());
    for (const char* name : {"Begin.txt", "Interm.txt", "Advance.txt"}) {
        EXPECT_EQ(dir.read(name), "\"11\"\r\n") << name;
    }

    fs::remove(dir.path() / "Interm.txt");
    fs::create_directory(dir.path() / "Interm.txt");
    dir.write("Advance.txt", "\"5\"\r\n");
    EXPECT_FALSE(store.reset());
    EXPECT_EQ(dir.read("Advance.txt"), "\"11\"\r\n"); // the others are still written
    EXPECT_EQ(entries(), 3u);                         // and no temporary file is left
}

// Greek and Japanese in one folder name: no Windows ANSI code page but UTF-8 holds both.
TEST_F(Store, keepsRecordsInAFolderWhoseNameNoCodePageHolds)
{
#ifdef _WIN32
    // Known fault: the store opens files by narrow names, which msvcrt reads in the ANSI code
    // page, so here no record is ever kept. Remove this skip with the wide-path file access.
    GTEST_SKIP() << "record files are opened by narrow names";
#endif
    const fs::path folder =
        dir.path() / fs::path(u8"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac-\u65e5\u672c");
    fs::create_directory(folder);
    const FastestTimeStore there(folder);

    EXPECT_EQ(there.view("Begin").text, "No Fastest Beginner Time has been Established.");
    std::ifstream created(folder / "Begin.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(created), {}), "\"11\"\r\n");
    EXPECT_TRUE(there.writeRecord("Begin", 4));
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
}

} // namespace
} // namespace tintwise::records
