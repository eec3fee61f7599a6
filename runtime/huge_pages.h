#pragma once

#include <cstddef>

namespace pexor {

// Asks for 2 MB pages over the whole 2 MB pages inside [start, start + size),
// before the memory is first touched. A buffer of many megabytes then costs
// a handful of page faults instead of one for every 4 KB; only a hint.
void adviseHugePages(void* start, std::size_t size);

}  // namespace pexor
