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

namespace {

// One image in a one-image template.
Extraction extractOne(ByteBuffer icon, const Surface& preview, Surface& target, int size,
                      StretchMode mode) {
    Extraction e;
    PixelBlock& block = size == 16 ? e.pixels16 : e.pixels32;
    block = drawOntoIconSurface(preview, target, size, mode);
    e.icon = withPixels(icon, iconTemplateOffsets::kPixels, block);
    return e;
}

}  // namespace

Extraction extract16(const Surface& preview1, Surface& icon16, StretchMode mode) {
    return extractOne(template16(), preview1, icon16, 16, mode);
}

Extraction extract32(const Surface& preview1, Surface& icon32, StretchMode mode) {
    return extractOne(template32(), preview1, icon32, 32, mode);
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
