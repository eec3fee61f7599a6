#pragma once

#include <string>

namespace pexor {

// The address of an entry of a library, for calling it. The library is
// loaded and the entry found at the first request and kept for later ones;
// the library stays loaded until the program ends. A name without a slash is
// looked for first in `runDirectory`, then by the system's library search.
// When no place gives a library, or the library has no such entry, this is
// the run time's fatal error "无法找到指定DLL库文件“…”中的输出命令“…”".
void* libraryEntry(const std::string& library, const std::string& entry,
                   const std::string& runDirectory);

}  // namespace pexor
