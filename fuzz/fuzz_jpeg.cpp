// The JPEG decoder (libjpeg under our error handling) on its own, at full
// size and at the reduced scale a preview asks for.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/check.h"
#include "runtime/picture/jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    pexor::fuzz::checkResult(pexor::decodeJpeg(bytes));
    pexor::fuzz::checkResult(pexor::decodeJpeg(bytes, pexor::DecodeHint{84, 84}));
    return 0;
}
