#include "icon/extraction.h"

#include "icon/templates.h"

namespace pexor {

PixelBlock pixelBlockOfSnapshot(const ByteBuffer& snapshot, int size) {
    return snapshot.last(size == 16 ? kPixelBlock16Size : kPixelBlock32Size);
}

ByteBuffer withPixels(const ByteBuffer& icon, std::size_t position, const PixelBlock& block) {
    return icon.replaced(position, block.size(), block);
}

}  // namespace pexor
