#include "ui/main/extraction.h"

#include "icon/extraction.h"
#include "icon/templates.h"

namespace pexor {

PixelBlock drawOntoIconSurface(const Surface& preview, Surface& target, int size,
                               StretchMode mode) {
    target.drawPicture(preview.decodedBackground().get(), 0, 0, size, size, mode);
    return pixelBlockOfSnapshot(target.snapshot(), size);
}

void extract16(ProgramState& state, const Surface& preview1, Surface& icon16, StretchMode mode) {
    state.outputIcon = template16();
    state.pixels16 = drawOntoIconSurface(preview1, icon16, 16, mode);
    state.outputIcon = withPixels(state.outputIcon, iconTemplateOffsets::kPixels, state.pixels16);
}

void extract32(ProgramState& state, const Surface& preview1, Surface& icon32, StretchMode mode) {
    state.outputIcon = template32();
    state.pixels32 = drawOntoIconSurface(preview1, icon32, 32, mode);
    state.outputIcon = withPixels(state.outputIcon, iconTemplateOffsets::kPixels, state.pixels32);
}

void extractPair(ProgramState& state, const Surface& preview1, const Surface& preview2,
                 Surface& icon16, Surface& icon32, StretchMode mode) {
    state.outputIcon = templatePair();
    state.pixels16 = drawOntoIconSurface(preview1, icon16, 16, mode);
    state.outputIcon =
        withPixels(state.outputIcon, iconTemplateOffsets::kPairPixels16, state.pixels16);
    state.pixels32 = drawOntoIconSurface(preview2, icon32, 32, mode);
    state.outputIcon =
        withPixels(state.outputIcon, iconTemplateOffsets::kPairPixels32, state.pixels32);
}

}  // namespace pexor
