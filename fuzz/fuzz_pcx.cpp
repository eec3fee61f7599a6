// The PCX decoder on its own.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/check.h"
#include "runtime/picture/pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pexor::fuzz::checkResult(pexor::decodePcx(std::span<const std::uint8_t>(data, size)));
    return 0;
}
