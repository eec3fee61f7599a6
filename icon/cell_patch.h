#pragma once

#include "runtime/bytes.h"
#include "runtime/colour.h"

namespace pexor {

// The colour bytes written for a transparent cell.
const ByteBuffer& transparentPixel();

enum class Pen { Palette, Transparent };

// A one-image icon file (894 bytes for size 16, 3262 for 32) with the cell in
// `column` and `row` (1..size, row 1 the top row) painted: the palette pen
// writes the colour's blue, green and red bytes; the transparent pen writes
// three zero bytes and sets the cell's AND-mask bit. No mask bit is ever
// cleared, and the length of the file never changes.
ByteBuffer patchIconCell(const ByteBuffer& editIcon, int size, int column, int row, Pen pen,
                         ColourValue penColour);

}  // namespace pexor
