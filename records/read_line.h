// read_line.h: the first line of a record in an open folder, shared by the store and by
// readFirstLine.
#pragma once

#include "fastest_time_store.h"
#include "platform.h"

#include <string>

namespace tintwise::records {

// The bytes of `name` before its first CR or LF, within the first kMaxReadBytes.
LineRead readLineIn(const platform::Folder& folder, const std::string& name);

} // namespace tintwise::records
