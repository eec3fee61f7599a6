#include "resources/icon_templates.h"

#include <cstddef>

namespace pexor::resources {
namespace {

using Block = std::array<std::uint8_t, kIconTemplatesSize>;

constexpr void put16(Block& b, std::size_t offset, std::uint16_t v) {
    b[offset] = v & 0xFF;
    b[offset + 1] = v >> 8;
}
constexpr void put32(Block& b, std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[offset + i] = (v >> (8 * i)) & 0xFF;
}

// ICONDIRENTRY: planes and bit count are stored as 0 on purpose; only the
// BITMAPINFOHEADER states the depth.
constexpr void putEntry(Block& b, std::size_t at, std::uint8_t size, std::uint32_t bytes,
                        std::uint32_t imageOffset) {
    b[at + 0] = size;  // width
    b[at + 1] = size;  // height
    // colour count, reserved, planes, bit count: 0
    put32(b, at + 8, bytes);
    put32(b, at + 12, imageOffset);
}

// BITMAPINFOHEADER of a 24-bit icon image; the height counts the XOR area and
// the AND mask together.
constexpr void putInfoHeader(Block& b, std::size_t at, std::uint32_t size) {
    const std::uint32_t maskBytes = size * 4;  // rows of 4 bytes
    put32(b, at + 0, 40);
    put32(b, at + 4, size);
    put32(b, at + 8, size * 2);
    put16(b, at + 12, 1);
    put16(b, at + 14, 24);
    put32(b, at + 20, size * size * 3 + maskBytes);  // biSizeImage
}

constexpr void putIconDir(Block& b, std::size_t at, std::uint16_t count) {
    put16(b, at + 2, 1);  // type: icon
    put16(b, at + 4, count);
}

constexpr Block makeTemplates() {
    Block b{};
    // 16x16 alone, from offset 0
    putIconDir(b, 0, 1);
    putEntry(b, 6, 16, 872, 22);
    putInfoHeader(b, 22, 16);
    // 32x32 alone, from offset 894
    putIconDir(b, 894, 1);
    putEntry(b, 894 + 6, 32, 3240, 22);
    putInfoHeader(b, 894 + 22, 32);
    // both, from offset 4156: images at 38 and 910 within the file
    constexpr std::size_t pair = 894 + 3262;
    putIconDir(b, pair, 2);
    putEntry(b, pair + 6, 16, 872, 38);
    putEntry(b, pair + 22, 32, 3240, 910);
    putInfoHeader(b, pair + 38, 16);
    putInfoHeader(b, pair + 910, 32);
    return b;
}

}  // namespace

constinit const std::array<std::uint8_t, kIconTemplatesSize> iconTemplates = makeTemplates();

}  // namespace pexor::resources
