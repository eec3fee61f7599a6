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
    // JPEG and uncompressed BMP read the hint and decode smaller: once at a
    // preview's size, and once small enough that a BMP of a few dozen pixels
    // already goes through the row reducer.
    const auto format = pexor::sniffPicture(bytes);
    if (format == pexor::PictureFormat::Jpeg || format == pexor::PictureFormat::Bmp) {
        pexor::fuzz::checkResult(pexor::decodePicture(bytes, pexor::DecodeHint{84, 84}));
        pexor::fuzz::checkResult(pexor::decodePicture(bytes, pexor::DecodeHint{2, 2}));
    }
    return 0;
}
