#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "runtime/picture/picture.h"

namespace pexor {

// A BMP file: the 14-byte file header, then a device-independent bitmap with
// any of the Windows or OS/2 info headers. Shown opaque.
PictureResult decodeBmp(std::span<const std::uint8_t> bytes, DecodeHint hint = {});

// The colour image of an icon or cursor entry, whose data is a
// device-independent bitmap without file header: the info header (its height
// counts the colour rows and the mask rows together), the palette, the
// colour rows, then the AND mask rows.
struct IconBitmap {
    // Colour pixels, opaque, except that a 32-bit image keeps its fourth
    // byte as alpha.
    std::shared_ptr<Picture> picture;
    // A 32-bit image with at least one non-zero alpha byte.
    bool hasAlpha = false;
    // Everything after the colour rows: the AND mask, unless cut short.
    std::span<const std::uint8_t> afterColour;
    std::string error;
};
IconBitmap decodeIconBitmap(std::span<const std::uint8_t> dib);

}  // namespace pexor
