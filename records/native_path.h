// native_path.h: a file or folder path as the system itself spells it.
#pragma once

#include <string>

namespace tintwise::records {

// UTF-16 on Windows, bytes elsewhere: what the system's own calls take, so that no name is ever
// converted through a text encoding. The game uses it rather than std::filesystem::path, which
// would bring most of the C++ library's locale and stream code into the Windows program for a
// handful of string operations; a std::filesystem::path converts to it implicitly.
#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

} // namespace tintwise::records
