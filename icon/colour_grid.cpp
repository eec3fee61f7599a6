#include "icon/colour_grid.h"

namespace pexor {

ColourGrid buildColourGrid(const PixelBlock& block, int size) {
    const auto n = static_cast<std::size_t>(size);
    ColourGrid grid({n, n});
    const std::size_t rowBytes = n * 3;
    for (std::size_t y = 0; y < n; ++y) {
        for (std::size_t x = 0; x < n; ++x) {
            const std::size_t p = y * rowBytes + x * 3;
            grid.at({static_cast<long long>(y + 1), static_cast<long long>(x + 1)}) =
                rgb(block.at(p + 3), block.at(p + 2), block.at(p + 1));
        }
    }
    return grid;
}

ColourValue& gridElementForCell(ColourGrid& grid, int size, int column, int row) {
    return grid.at({size - row, column + 1});
}

const ColourValue& gridElementForCell(const ColourGrid& grid, int size, int column, int row) {
    return grid.at({size - row, column + 1});
}

}  // namespace pexor
