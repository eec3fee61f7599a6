#pragma once

#include <cstdint>
#include <optional>

namespace pexor {

// Size arithmetic on values read from picture headers. Each returns nothing
// when the true result does not fit, so a hostile header cannot wrap a
// buffer size round to something small.
inline std::optional<std::uint64_t> checkedAdd(std::uint64_t a, std::uint64_t b) {
    std::uint64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) return std::nullopt;
    return sum;
}

inline std::optional<std::uint64_t> checkedMul(std::uint64_t a, std::uint64_t b) {
    std::uint64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) return std::nullopt;
    return product;
}

// Bytes in one row of `width` pixels of `bits` each, rounded up to whole
// units of `alignBytes` (4 for device-independent bitmaps, 1 for packed rows).
inline std::optional<std::uint64_t> checkedRowBytes(std::uint64_t width, std::uint64_t bits,
                                                    std::uint64_t alignBytes) {
    const auto rowBits = checkedMul(width, bits);
    if (!rowBits) return std::nullopt;
    const std::uint64_t alignBits = alignBytes * 8;
    const auto padded = checkedAdd(*rowBits, alignBits - 1);
    if (!padded) return std::nullopt;
    return *padded / alignBits * alignBytes;
}

}  // namespace pexor
