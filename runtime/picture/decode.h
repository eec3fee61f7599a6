#pragma once

#include <cstdint>
#include <span>

#include "runtime/picture/picture.h"

namespace pexor {

// The format of picture bytes, known by their first six bytes only.
PictureFormat sniffPicture(std::span<const std::uint8_t> bytes);

// The one entry the program uses: sniff, then decode with that format's
// decoder. Never crashes; refuses what it can't show.
PictureResult decodePicture(std::span<const std::uint8_t> bytes, DecodeHint hint = {});

}  // namespace pexor
