// view_record.cpp: libFuzzer target, any Begin.txt content through the view command.
#include "fuzz_support.h"

#include <records/fastest_time_store.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const testing::TempDir dir;
    const std::string content(reinterpret_cast<const char*>(data), size);
    // The line reader has a target of its own; this one checks what the view makes of its line.
    const std::string line = records::readFirstLine(dir.write("Begin.txt", content)).line;
    const records::Message box = records::FastestTimeStore(dir.path).view("Begin");
    const std::string text = line == "\"11\"" ? "No Fastest Beginner Time has been Established."
                                              : "The Fastest Beginner Time is " + line;
    fuzz::expectSame("view", box.title + ": " + box.text, "Fastest Beginner Time: " + text);
    // Viewing writes nothing: the file keeps every byte and no other file appears.
    fuzz::expectSame("Begin.txt after a view", dir.read("Begin.txt"), content);
    const auto files = std::distance(std::filesystem::directory_iterator(dir.path), {});
    fuzz::expectSame("files after a view", static_cast<int>(files), 1);
    return 0;
}
