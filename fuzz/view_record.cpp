// view_record.cpp: libFuzzer target, any Begin.txt content through the view command.
#include "fuzz_support.h"

#include <records/fastest_time_store.h>

using namespace tintwise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content = fuzz::bytesOf(data, size);
    const fuzz::ScratchDir& dir = fuzz::scratch();
    dir.write("Begin.txt", content);
    const records::Message box = records::FastestTimeStore(dir.path()).view("Begin");

    const std::string_view line = fuzz::expectedFirstLine(content, records::kMaxReadBytes);
    const std::string expected = line == "\"11\""
                                     ? std::string("No Fastest Beginner Time has been Established.")
                                     : "The Fastest Beginner Time is " + std::string(line);
    if (box.title != "Fastest Beginner Time" || box.text != expected) {
        fuzz::mismatch("view", content, fuzz::quoted(box.title) + " " + fuzz::quoted(box.text),
                       fuzz::quoted(expected));
    }
    // Viewing writes nothing: the file keeps every byte and no other file appears.
    const std::string after = dir.read("Begin.txt");
    if (after != content) {
        fuzz::mismatch("view changed Begin.txt", content, fuzz::quoted(after),
                       fuzz::quoted(content));
    }
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()),
                                       std::filesystem::directory_iterator());
    if (entries != 1) {
        fuzz::mismatch("view left other files", content, std::to_string(entries) + " files", "1");
    }
    return 0;
}
