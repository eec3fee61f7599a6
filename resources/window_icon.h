#pragma once

#include <cstdint>
#include <vector>

namespace pexor::resources {

// The program's icon: a landscape picture with a pixel grid over its lower
// right corner, a picture turning into an icon. Drawn by code at any size as
// 0xAARRGGBB pixels, rows top-down; opaque.
std::vector<std::uint32_t> renderIconDesign(int size);

// The main window's icon: the design at 32x32 as a 24-bit icon file of 3262
// bytes.
const std::vector<std::uint8_t>& windowIcon();

}  // namespace pexor::resources
