#pragma once

// What every fuzz target checks of a decoder's answer besides "no crash":
// a refusal says why, and a picture is as large as it says and within the
// decoders' cap. A broken promise aborts, which libFuzzer records as a crash.

#include <cstdlib>

#include "runtime/picture/canvas.h"
#include "runtime/picture/picture.h"

namespace pexor::fuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

inline void checkPicture(const Picture& picture) {
    require(picture.width > 0 && picture.height > 0);
    require(picture.width <= kMaxPictureSide && picture.height <= kMaxPictureSide);
    require(std::int64_t(picture.width) * picture.height <= kMaxPicturePixels);
    require(picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height));
}

inline void checkResult(const PictureResult& result) {
    if (result.ok())
        checkPicture(*result.picture);
    else
        require(!result.error.empty());
}

}  // namespace pexor::fuzz
