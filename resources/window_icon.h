#pragma once

#include <cstdint>
#include <vector>

namespace pexor::resources {

// The main window's icon: a 32x32, 24-bit icon file of 3262 bytes, drawn by
// code (a landscape picture with a pixel grid over one corner: a picture
// turning into an icon).
const std::vector<std::uint8_t>& windowIcon();

}  // namespace pexor::resources
