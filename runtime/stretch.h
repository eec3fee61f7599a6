#pragma once

#include <cstdint>
#include <span>

#include "runtime/picture/picture.h"

namespace pexor {

// An image drawn into: width × height pixels 0xFFRRGGBB, rows top-down.
struct PixelTarget {
    std::span<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
};

// Where a picture goes on a target, in target pixels. It may reach outside
// the target: only the part inside is drawn. A width or height of 0 or less
// draws nothing.
struct TargetRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Both stretches draw the whole picture onto the rectangle (its aspect ratio
// is not kept) and blend by the picture's alpha: alpha 0 leaves the target's
// pixel exactly as it was, 255 replaces it. A picture whose pixel count does
// not match its size, or that is empty, draws nothing.

// Each target pixel is the area-weighted average of the source pixels it
// covers, with fractional coverage where the ratio is not whole, rounded to
// nearest; this holds for shrinking and enlarging alike. Colour is averaged
// premultiplied by alpha, then laid over the target's pixel with the average
// alpha. Integer arithmetic throughout; every source pixel under the visible
// part is read about once, so it is cheap enough for a camera photo shrunk to
// an icon.
void stretchHalftone(const Picture& source, PixelTarget target, TargetRect rect);

// Each target pixel takes one source pixel: for target column tx counted from
// the rectangle's left, source column floor(tx × source width ÷ rect width);
// rows alike.
void stretchColourOnColour(const Picture& source, PixelTarget target, TargetRect rect);

}  // namespace pexor
