#pragma once

#include "app/program_state.h"
#include "runtime/bytes.h"
#include "runtime/surface.h"

namespace pexor {

// Draws a preview's picture stretched onto an icon surface, which is not
// cleared first, and gives the pixel rows of the surface's snapshot. The
// picture the preview decoded when it was given its bytes is reused, so an
// extraction never decodes again; bytes that are no picture draw nothing.
PixelBlock drawOntoIconSurface(const Surface& preview, Surface& target, int size,
                               StretchMode mode);

// The three extractions with the state they write: the output icon from a
// fresh template and the pixel block of each size made.
void extract16(ProgramState& state, const Surface& preview1, Surface& icon16, StretchMode mode);
void extract32(ProgramState& state, const Surface& preview1, Surface& icon32, StretchMode mode);
void extractPair(ProgramState& state, const Surface& preview1, const Surface& preview2,
                 Surface& icon16, Surface& icon32, StretchMode mode);

}  // namespace pexor
