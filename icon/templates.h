#pragma once

#include <cstddef>

#include "runtime/bytes.h"

namespace pexor {

// Fixed byte positions in the templates, counted from 1 like every byte
// operation on a ByteBuffer (the file offset is one less).
namespace iconTemplateOffsets {
inline constexpr std::size_t kPixels = 63;        // one-image icons (16 and 32)
inline constexpr std::size_t kMask16 = 831;       // 62 + 768
inline constexpr std::size_t kMask32 = 3135;      // 62 + 3072
inline constexpr std::size_t kPairImage16 = 39;   // 872 bytes: header, pixels, mask
inline constexpr std::size_t kPairPixels16 = 79;  // 38 + 40
inline constexpr std::size_t kPairImage32 = 911;  // 3240 bytes
inline constexpr std::size_t kPairPixels32 = 951;  // 910 + 40
inline constexpr std::size_t kTemplate32Start = 895;
}  // namespace iconTemplateOffsets

inline constexpr std::size_t kTemplate16Size = 894;
inline constexpr std::size_t kTemplate32Size = 3262;
inline constexpr std::size_t kTemplatePairSize = 4150;
inline constexpr std::size_t kImage16Size = 872;
inline constexpr std::size_t kImage32Size = 3240;
inline constexpr std::size_t kPixelBlock16Size = 768;
inline constexpr std::size_t kPixelBlock32Size = 3072;

// The whole constant block, and the three ways of taking a template from it.
const ByteBuffer& iconTemplates();
ByteBuffer template16();
ByteBuffer template32();
ByteBuffer templatePair();

}  // namespace pexor
