#include "runtime/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace pexor {

void adviseHugePages(void* start, std::size_t size) {
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const auto first = reinterpret_cast<std::uintptr_t>(start);
    const auto begin = (first + kHuge - 1) & ~(kHuge - 1);
    const auto end = (first + size) & ~(kHuge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace pexor
