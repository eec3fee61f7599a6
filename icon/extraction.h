#pragma once

#include "icon/colour_grid.h"
#include "runtime/bytes.h"

namespace pexor {

// The pixel rows of a 24-bit snapshot of a size x size surface: its last
// 768 or 3072 bytes, bottom row first.
PixelBlock pixelBlockOfSnapshot(const ByteBuffer& snapshot, int size);

// The icon with a pixel block written at a 1-based position; the length of
// the icon stays the same for a complete block.
ByteBuffer withPixels(const ByteBuffer& icon, std::size_t position, const PixelBlock& block);

}  // namespace pexor
