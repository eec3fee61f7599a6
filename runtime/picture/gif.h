#pragma once

#include <cstdint>
#include <span>

#include "runtime/picture/picture.h"

namespace pexor {

// The first image of a GIF file on its logical screen: the screen is filled
// with the background colour (black without a global colour table) and the
// image, clipped to the screen, drawn over it. Shown opaque; transparency
// and later images are ignored.
PictureResult decodeGif(std::span<const std::uint8_t> bytes);

}  // namespace pexor
