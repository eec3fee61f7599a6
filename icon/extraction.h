#pragma once

#include "icon/colour_grid.h"
#include "runtime/bytes.h"
#include "runtime/surface.h"

namespace pexor {

// The pixel rows of a 24-bit snapshot of a size x size surface: its last
// 768 or 3072 bytes, bottom row first.
PixelBlock pixelBlockOfSnapshot(const ByteBuffer& snapshot, int size);

// The icon with a pixel block written at a 1-based position; the length of
// the icon stays the same for a complete block.
ByteBuffer withPixels(const ByteBuffer& icon, std::size_t position, const PixelBlock& block);

// Draws a preview's picture stretched onto an icon surface, which is not
// cleared first, and gives the pixel rows of the surface's snapshot. The
// picture the preview decoded when it was given its bytes is reused, so an
// extraction never decodes again; bytes that are no picture draw nothing.
PixelBlock drawOntoIconSurface(const Surface& preview, Surface& target, int size, StretchMode mode);

// What an extraction makes: the icon file, from a fresh template, and the
// pixel block of each size it made (empty for a size it didn't).
struct Extraction {
    ByteBuffer icon;
    PixelBlock pixels16;
    PixelBlock pixels32;
};
Extraction extract16(const Surface& preview1, Surface& icon16, StretchMode mode);
Extraction extract32(const Surface& preview1, Surface& icon32, StretchMode mode);
Extraction extractPair(const Surface& preview1, const Surface& preview2, Surface& icon16,
                       Surface& icon32, StretchMode mode);

}  // namespace pexor
