#pragma once

#include <cstdint>
#include <span>

#include "runtime/picture/picture.h"

namespace pexor {

// A run-length encoded PCX file of 8 bits per pixel in one plane (with the
// 256-colour palette at the end of the file), 8 bits in three planes (24-bit
// colour), or 1 bit in one plane (bit 1 white, bit 0 black). Other kinds are
// refused.
PictureResult decodePcx(std::span<const std::uint8_t> bytes);

}  // namespace pexor
