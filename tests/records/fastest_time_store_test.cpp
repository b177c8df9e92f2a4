// fastest_time_store_test.cpp: the record files as found on disk, good, damaged and absent.
#include "../support/temp_dir.h"

#include <gtest/gtest.h>
#include <records/fastest_time_store.h>
#include <sys/stat.h>

using namespace tintwise::records;
namespace fs = std::filesystem;

struct Store : ::testing::Test
{
    // Only the entries a test made itself, so a stray temporary file would show; Windows keeps
    // its writers' lock in a file of its own.
    long entries() const
    {
        return std::distance(fs::directory_iterator(dir.path), {}) -
               fs::exists(dir.path / "Tintwise.lock");
    }

    tintwise::testing::TempDir dir;
    FastestTimeStore store{dir.path};
};

// The fuzz target checks the view of any file's bytes; these are the cases a reader looks for.
TEST_F(Store, aViewShowsTheFirstLineAsReadChangesNoFileAndCreatesOnlyAMissingOne)
{
    const std::string has = "The Fastest Intermediate Time is ";
    const std::string none = "No Fastest Intermediate Time has been Established.";
    const Message box = store.view("Interm");
    EXPECT_EQ(box.title + ": " + box.text, "Fastest Intermediate Time: " + none);
    EXPECT_EQ(dir.read("Interm.txt"), "\"11\"\r\n");
    const std::string odd("\x01\xff<b>x</b>\0\x7f", 12); // markup, NUL and high bytes
    using Row = std::pair<std::string, std::string>;     // Interm.txt as found, the box's text
    for (const auto& [bytes, text] :
         {Row{"\"11\"\r\n", none}, Row{"\"3\"\r\n", has + "\"3\""},
          Row{"\"10\"\r\n", has + "\"10\""}, Row{"", has}, Row{"11\r\n", has + "11"},
          Row{"7", has + "7"}, Row{"\"11\"\r\n\"4\"\r\nmore\r\n", none}, Row{"\"11\"", none},
          Row{"\"11\"\n", none}, Row{odd + "\r\n", has + odd}}) {
        dir.write("Interm.txt", bytes);
        EXPECT_EQ(store.view("Interm").text, text) << bytes;
        EXPECT_EQ(dir.read("Interm.txt"), bytes);
    }
    EXPECT_EQ(entries(), 1);
}

TEST_F(Store, aDirectoryInAFilesPlaceIsReadAsNothingLeftAloneAndResetWritesTheOthers)
{
    const fs::path advance = dir.write("Advance.txt", "\"11\"\r\nleft over from an old editor\r\n");
    fs::permissions(advance, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::perms mode = fs::status(advance).permissions();
    EXPECT_EQ(store.writeRecord("Advance", 10), WriteOutcome::Written);
    EXPECT_EQ(dir.read("Advance.txt"), "\"10\"\r\n"); // one whole line replaces them all
    EXPECT_EQ(fs::status(advance).permissions(), mode);  // and keeps the player's mode
    fs::create_directory(dir.path / "Interm.txt");
    EXPECT_EQ(store.view("Interm").text, "The Fastest Intermediate Time is "); // read as nothing
    EXPECT_FALSE(store.reset()); // though it still writes the files before and after that one
    EXPECT_EQ(dir.read("Begin.txt") + dir.read("Advance.txt"), "\"11\"\r\n\"11\"\r\n");
    EXPECT_TRUE(fs::is_directory(dir.path / "Interm.txt"));
    EXPECT_EQ(entries(), 3); // and no temporary file is left
}

// Holds for root too: no permission bit can make a path under a regular file writable.
TEST_F(Store, aFolderThatCannotHoldFilesFailsEveryWrite)
{
    const FastestTimeStore blocked(dir.write("plain", "x"));
    EXPECT_FALSE(blocked.CreateFastestFile("Begin"));
    EXPECT_EQ(blocked.writeRecord("Begin", 4), WriteOutcome::Failed);
    EXPECT_FALSE(blocked.reset());
    EXPECT_EQ(dir.read("plain"), "x");
}

TEST_F(Store, readsAtMostTheFirstKilobytesOfAHugeFile)
{
    std::string huge(6 << 20, '9');
    EXPECT_EQ(readFirstLine(dir.write("Begin.txt", huge)).line.size(), kMaxReadBytes);
    dir.write("Begin.txt", huge.replace(0, 5, "\"2\"\r\n"));
    EXPECT_EQ(store.readRecordLine("Begin"), "\"2\"");
}

// Greek and Japanese in one folder name, which no Windows ANSI code page holds. A folder whose
// path leaves no room for the temporary name is ProgramFolder's case in processes_test.
TEST_F(Store, aFolderOfAnyNameHoldsTheRecords)
{
    const fs::path folder =
        dir.path / fs::path(u8"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac-\u65e5\u672c");
    ASSERT_TRUE(fs::create_directories(folder));
    const FastestTimeStore there(folder);
    EXPECT_EQ(there.view("Advance").text, "No Fastest Advanced Time has been Established.");
    EXPECT_TRUE(fs::is_regular_file(folder / "Advance.txt")); // there, under that name
    EXPECT_EQ(there.writeRecord("Advance", 7), WriteOutcome::Written);
    EXPECT_EQ(there.readRecordLine("Advance"), "\"7\"");
}

#ifndef _WIN32
TEST_F(Store, aLinkOrPipeIsNeitherFollowedNorReplacedAndAPathThroughAFileIsNoMissingFile)
{
    dir.write("elsewhere", "\"3\"\r\n");
    fs::create_symlink(dir.path / "elsewhere", dir.path / "Begin.txt");
    fs::create_symlink(dir.path / "nothing", dir.path / "Interm.txt"); // dangling
    ::mkfifo((dir.path / "Advance.txt").c_str(), 0600); // no file to read either, nor waited on
    for (const char* name : {"Begin.txt", "Interm.txt", "Advance.txt", "elsewhere/Begin.txt"}) {
        EXPECT_EQ(readFirstLine(dir.path / name).status, ReadStatus::Failed) << name;
    }
    EXPECT_EQ(store.view("Begin").text, "The Fastest Beginner Time is ");
    EXPECT_EQ(store.writeRecord("Begin", 2), WriteOutcome::Failed);
    EXPECT_FALSE(store.reset());
    EXPECT_TRUE(fs::is_symlink(dir.path / "Begin.txt") && fs::is_symlink(dir.path / "Interm.txt"));
    EXPECT_EQ(dir.read("elsewhere"), "\"3\"\r\n");
    EXPECT_FALSE(fs::exists(dir.path / "nothing"));
}

// A writer killed between creating its temporary file and renaming it left this behind.
TEST_F(Store, theNextWriteRemovesWhatACrashedWriterLeftForThatRecordOnly)
{
    dir.write("Interm.txt.00c0ffee00c0ffee7.tmp", "\"");
    dir.write("Begin.txt.1234567890abcdef1.tmp", "");
    EXPECT_EQ(store.writeRecord("Interm", 4), WriteOutcome::Written);
    EXPECT_FALSE(fs::exists(dir.path / "Interm.txt.00c0ffee00c0ffee7.tmp"));
    EXPECT_TRUE(fs::exists(dir.path / "Begin.txt.1234567890abcdef1.tmp")); // for its own writer
}
#endif

TEST(StoredCount, dropsTheOpeningQuoteThenRoundsAndSaturatesTheLeadingNumber)
{
    // The fuzz target checks the rule against an exact reference; these are the named cases.
    EXPECT_EQ(storedCount("11"), 1); // a bare 11 loses its first digit
    EXPECT_EQ(storedCount("7"), 0);
    EXPECT_EQ(leadingNumber("2.5"), 2); // ties go to even
    EXPECT_EQ(leadingNumber("32768"), 32767);
    EXPECT_EQ(leadingNumber("-."), 0);
    // Decided by every digit, however many: a double keeps too few of them.
    EXPECT_EQ(leadingNumber("22100.5000000000003"), 22101);
    EXPECT_EQ(leadingNumber("2.5000000001"), 3);
}
