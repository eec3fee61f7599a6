#pragma once

#include <cstdint>
#include <span>

#include "runtime/picture/picture.h"

namespace pexor {

// A JPEG file, baseline or progressive, greyscale, colour or CMYK, decoded
// by libjpeg. With a size hint it decodes at a reduced scale that stays at
// least four times the hint (see jpeg.cpp). A file cut short shows what it
// holds. The EXIF orientation is ignored: the picture is shown as stored,
// as the icons made from it are expected to be, and a camera photo lying on
// its side is the user's to rotate.
PictureResult decodeJpeg(std::span<const std::uint8_t> bytes, DecodeHint hint = {});

}  // namespace pexor
