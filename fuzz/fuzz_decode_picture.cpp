// The picture reader as the program uses it: sniff the first bytes, then
// decode with that format's decoder.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/check.h"
#include "runtime/picture/decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    pexor::fuzz::checkResult(pexor::decodePicture(bytes));
    // Only JPEG reads the hint (it decodes at a reduced scale); the preview
    // asks for its own size.
    if (pexor::sniffPicture(bytes) == pexor::PictureFormat::Jpeg)
        pexor::fuzz::checkResult(pexor::decodePicture(bytes, pexor::DecodeHint{84, 84}));
    return 0;
}
