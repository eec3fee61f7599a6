// The BMP decoder on its own, and the device-independent bitmap reader that
// icon entries use, fed the same bytes after the 14-byte file header.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/check.h"
#include "runtime/picture/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    pexor::fuzz::checkResult(pexor::decodeBmp(bytes));
    // Small enough a hint that rows of most inputs go through the reducer.
    pexor::fuzz::checkResult(pexor::decodeBmp(bytes, pexor::DecodeHint{2, 2}));
    if (size > 14) {
        const pexor::IconBitmap dib = pexor::decodeIconBitmap(bytes.subspan(14));
        if (dib.picture)
            pexor::fuzz::checkPicture(*dib.picture);
        else
            pexor::fuzz::require(!dib.error.empty());
    }
    return 0;
}
