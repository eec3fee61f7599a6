#pragma once

#include <cstdint>

#include "icon/colour_grid.h"
#include "runtime/bytes.h"
#include "runtime/colour.h"

namespace pexor {

// Every value that outlives a handler. One object, made by main() and handed
// to the windows by reference. The chosen icon format is not here: commands
// read the main window's radio buttons when they run.
struct ProgramState {
    ByteBuffer outputIcon;  // the icon file that Save writes
    ColourGrid grid16;      // the editor's colours of the 16x16 image
    PixelBlock pixels16;    // pixels of the last 16x16 extraction
    ColourGrid grid32;
    PixelBlock pixels32;
    ColourValue labelBaseColour = 0;  // normal background of the editor's size labels
    std::int32_t editSize = 0;        // 1 = 16x16, 2 = 32x32
    std::int32_t penDown = 0;         // 1 while the button is held on the grid
    ColourValue previewPenColour = 0;
    ByteBuffer editIcon16;  // the 16x16 icon file under edit
    ByteBuffer editIcon32;
    ColourValue canvasBaseColour = 0;  // the grid canvas's background colour
};

// The exit routine: drops the buffers, in the documented order. Writes no
// file and asks nothing about an icon that was not saved.
void releaseProgramState(ProgramState& state);

}  // namespace pexor
