// read_first_line.cpp: libFuzzer target, any file content through the record files' line reader.
#include "fuzz_support.h"

#include <algorithm>
#include <records/fastest_time_store.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const testing::TempDir dir;
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const records::LineRead read = records::readFirstLine(dir.write("line", content));
    // The bytes before the first CR or LF, looking at no more than the reader's limit.
    const auto end = std::min(content.find_first_of("\r\n"), records::kMaxReadBytes);
    fuzz::expectSame("readFirstLine status", read.status == records::ReadStatus::Ok, true);
    fuzz::expectSame("readFirstLine", std::string_view(read.line), content.substr(0, end));
    return 0;
}
