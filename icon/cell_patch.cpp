#include "icon/cell_patch.h"

#include "icon/templates.h"

namespace pexor {

const ByteBuffer& transparentPixel() {
    static const ByteBuffer zeros{0, 0, 0};
    return zeros;
}

namespace {

// The column's bit in the row's mask value read little-endian: the mask byte
// (column - 1) / 8 of the row, and in it bit 7 - (column - 1) % 8, so the
// leftmost pixel of a byte is its top bit.
std::uint32_t maskBit(int column) {
    const int byte = (column - 1) / 8;
    const int bit = 7 - (column - 1) % 8;
    return std::uint32_t{1} << (byte * 8 + bit);
}

}  // namespace

ByteBuffer patchIconCell(const ByteBuffer& editIcon, int size, int column, int row, Pen pen,
                         ColourValue penColour) {
    const std::size_t rowBytes = size == 16 ? 48 : 96;
    const auto rowFromBottom = static_cast<std::size_t>(size - row);
    const std::size_t p = rowFromBottom * rowBytes + iconTemplateOffsets::kPixels +
                          static_cast<std::size_t>(column * 3 - 3);
    if (pen == Pen::Palette) {
        const ByteBuffer bgr{blueOf(penColour), greenOf(penColour), redOf(penColour)};
        return editIcon.replaced(p, 3, bgr);
    }
    const ByteBuffer cleared = editIcon.replaced(p, 3, transparentPixel());
    const std::size_t maskBase = size == 16 ? iconTemplateOffsets::kMask16
                                            : iconTemplateOffsets::kMask32;
    const std::size_t m = rowFromBottom * 4 + maskBase;
    // A 16-pixel row uses the first two of its four mask bytes; the padding
    // after them stays as it is.
    const int maskBytes = size == 16 ? 2 : 4;
    std::uint32_t v = maskBytes == 2 ? cleared.readLe16(m) : cleared.readLe32(m);
    v |= maskBit(column);
    ByteBuffer written;
    for (int i = 0; i < maskBytes; ++i)
        written = written.joined(ByteBuffer{static_cast<std::uint8_t>(v >> (8 * i))});
    return cleared.replaced(m, static_cast<std::size_t>(maskBytes), written);
}

}  // namespace pexor
