// read_first_line.cpp: libFuzzer target, any file content through the record files' line reader.
#include "fuzz_support.h"

#include <records/fastest_time_store.h>

using namespace tintwise;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content = fuzz::bytesOf(data, size);
    const records::LineRead read = records::readFirstLine(fuzz::scratch().write("line", content));
    const std::string_view expected = fuzz::expectedFirstLine(content, records::kMaxReadBytes);
    if (read.status != records::ReadStatus::Ok) {
        fuzz::mismatch("readFirstLine status", content, "not Ok", "Ok");
    }
    if (read.line != expected) {
        fuzz::mismatch("readFirstLine", content, fuzz::quoted(read.line), fuzz::quoted(expected));
    }
    return 0;
}
