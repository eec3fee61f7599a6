#pragma once

#include <cstdint>
#include <span>

#include "runtime/picture/picture.h"

namespace pexor {

// An icon (.ico) or cursor (.cur) file: a directory of images, of which one
// is shown: the first 32 pixels wide with 16 to 255 colours, else the last.
// Its data is a bitmap with an AND mask, or a PNG file. The picture keeps its
// transparency and says so in hasTransparency.
PictureResult decodeIco(std::span<const std::uint8_t> bytes);

}  // namespace pexor
