#pragma once

#include <array>
#include <cstdint>

namespace pexor::resources {

// Three complete 24-bit icon files back to back: 16x16 (894 bytes), 32x32
// (3262 bytes), and both images in one file (4150 bytes). Every pixel and
// mask byte is zero; only the headers carry values.
inline constexpr std::size_t kIconTemplatesSize = 894 + 3262 + 4150;
extern const std::array<std::uint8_t, kIconTemplatesSize> iconTemplates;

}  // namespace pexor::resources
