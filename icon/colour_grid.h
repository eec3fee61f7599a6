#pragma once

#include "runtime/bytes.h"
#include "runtime/colour.h"
#include "runtime/grid.h"

namespace pexor {

// The pixel area of a 24-bit icon image: rows bottom-up, blue-green-red,
// 48 or 96 bytes a row, no padding. 768 bytes for 16x16, 3072 for 32x32.
using PixelBlock = ByteBuffer;

// One colour per pixel, [row][column] from 1, row 1 the bottom row.
using ColourGrid = Array<ColourValue>;

// A new size x size grid from a pixel block (size 16 or 32). Bytes missing
// from a short block read as 0.
ColourGrid buildColourGrid(const PixelBlock& block, int size);

// The grid element under the editor cell in `column` and `row`, both from 0
// at the top-left of the grid canvas. The grid checks the subscripts.
ColourValue& gridElementForCell(ColourGrid& grid, int size, int column, int row);
const ColourValue& gridElementForCell(const ColourGrid& grid, int size, int column, int row);

// The editor draws a cell as a square of 16 pixels (16x16) or 8 (32x32), so
// either grid covers 256 x 256 pixels.
constexpr int cellSide(int size) { return size == 16 ? 16 : 8; }
inline constexpr int kGridCanvasSide = 256;

struct Cell {
    int column = 0;
    int row = 0;
};

// The cell under a point of the grid canvas: each coordinate divided by the
// cell side, truncated toward zero. Only points on the 256 x 256 area that
// the cells cover have a cell; truncation would map x = -1 to column 0, so
// callers test the point, not the cell.
constexpr Cell cellAtPointer(int x, int y, int size) {
    return {x / cellSide(size), y / cellSide(size)};
}
constexpr bool pointOnCells(int x, int y) {
    return x >= 0 && x < kGridCanvasSide && y >= 0 && y < kGridCanvasSide;
}

}  // namespace pexor
