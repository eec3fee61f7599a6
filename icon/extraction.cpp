#include "icon/extraction.h"

#include "icon/templates.h"

namespace pexor {

PixelBlock pixelBlockOfSnapshot(const ByteBuffer& snapshot, int size) {
    return snapshot.last(size == 16 ? kPixelBlock16Size : kPixelBlock32Size);
}

ByteBuffer withPixels(const ByteBuffer& icon, std::size_t position, const PixelBlock& block) {
    return icon.replaced(position, block.size(), block);
}

PixelBlock drawOntoIconSurface(const Surface& preview, Surface& target, int size,
                               StretchMode mode) {
    target.drawPicture(preview.decodedBackground().get(), 0, 0, size, size, mode);
    return pixelBlockOfSnapshot(target.snapshot(), size);
}

Extraction extract16(const Surface& preview1, Surface& icon16, StretchMode mode) {
    Extraction e;
    e.icon = template16();
    e.pixels16 = drawOntoIconSurface(preview1, icon16, 16, mode);
    e.icon = withPixels(e.icon, iconTemplateOffsets::kPixels, e.pixels16);
    return e;
}

Extraction extract32(const Surface& preview1, Surface& icon32, StretchMode mode) {
    Extraction e;
    e.icon = template32();
    e.pixels32 = drawOntoIconSurface(preview1, icon32, 32, mode);
    e.icon = withPixels(e.icon, iconTemplateOffsets::kPixels, e.pixels32);
    return e;
}

Extraction extractPair(const Surface& preview1, const Surface& preview2, Surface& icon16,
                       Surface& icon32, StretchMode mode) {
    Extraction e;
    e.icon = templatePair();
    e.pixels16 = drawOntoIconSurface(preview1, icon16, 16, mode);
    e.icon = withPixels(e.icon, iconTemplateOffsets::kPairPixels16, e.pixels16);
    e.pixels32 = drawOntoIconSurface(preview2, icon32, 32, mode);
    e.icon = withPixels(e.icon, iconTemplateOffsets::kPairPixels32, e.pixels32);
    return e;
}

}  // namespace pexor
