// Icon and cursor files: the directory, the choice of the image shown, and its
// bitmap or PNG data with the AND mask.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/check.h"
#include "runtime/picture/ico.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pexor::fuzz::checkResult(pexor::decodeIco(std::span<const std::uint8_t>(data, size)));
    return 0;
}
