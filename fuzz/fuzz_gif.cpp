// The GIF decoder (giflib under our canvas) on its own.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/check.h"
#include "runtime/picture/gif.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pexor::fuzz::checkResult(pexor::decodeGif(std::span<const std::uint8_t>(data, size)));
    return 0;
}
