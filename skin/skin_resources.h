#pragma once

#include <cstdint>
#include <span>

namespace pexor::resources {

inline constexpr int kSkinCount = 33;

// The skins the program carries, numbered 1 to 33, in the skin engine's
// format (skin/engine/skin_format.h); empty for any other number. Made at
// build time from resources/skins.
std::span<const std::uint8_t> skinTable(int number);

// The skin engine library's file as built, carried whole.
std::span<const std::uint8_t> skinEngineImage();

}  // namespace pexor::resources
