#include "icon/colour_grid.h"

#include <gtest/gtest.h>

namespace pexor {
namespace {

PixelBlock blockWith(int size, std::size_t position, std::uint8_t b, std::uint8_t g,
                     std::uint8_t r) {
    const std::size_t n = static_cast<std::size_t>(size * size * 3);
    return PixelBlock(std::vector<std::uint8_t>(n, 0)).replaced(position, 3, ByteBuffer{b, g, r});
}

TEST(ColourGrid, ZeroBlockGivesAZeroGrid) {
    const ColourGrid grid = buildColourGrid(PixelBlock(std::vector<std::uint8_t>(768, 0)), 16);
    ASSERT_EQ(grid.dimensionCount(), 2u);
    EXPECT_EQ(grid.dimension(0), 16u);
    EXPECT_EQ(grid.dimension(1), 16u);
    for (long long r = 1; r <= 16; ++r)
        for (long long c = 1; c <= 16; ++c) EXPECT_EQ(grid.at({r, c}), 0u);
}

TEST(ColourGrid, BlueGreenRedBytesBecome0x00BBGGRR) {
    // The first pixel of the block, stored as blue 0x10, green 0x20, red 0x30.
    const ColourGrid grid = buildColourGrid(blockWith(16, 1, 0x10, 0x20, 0x30), 16);
    EXPECT_EQ(grid.at({1, 1}), 0x00102030u);
}

// The editor's corner cells, their grid elements and their block bytes.
TEST(ColourGrid, CornerCellsMapToGridElementsAndBlockBytes) {
    const struct {
        const char* name;
        int size, column, row;
        long long gridRow, gridColumn;
        std::size_t blockPosition;
    } cases[] = {
        {"16 top-left", 16, 0, 0, 16, 1, 721},
        {"32 top-left", 32, 0, 0, 32, 1, 2977},
        {"16 bottom-right", 16, 15, 15, 1, 16, 46},
        {"32 bottom-right", 32, 31, 31, 1, 32, 94},
    };
    for (const auto& c : cases) {
        ColourGrid grid = buildColourGrid(blockWith(c.size, c.blockPosition, 1, 2, 3), c.size);
        EXPECT_EQ(&gridElementForCell(grid, c.size, c.column, c.row),
                  &grid.at({c.gridRow, c.gridColumn}))
            << c.name;
        EXPECT_EQ(gridElementForCell(grid, c.size, c.column, c.row), rgb(3, 2, 1)) << c.name;
    }
}

TEST(ColourGrid, PointerPositionsGiveCells) {
    const struct {
        int x, y, size, column, row;
    } cases[] = {
        {255, 0, 16, 15, 0}, {255, 0, 32, 31, 0}, {0, 255, 32, 0, 31},
        {16, 15, 16, 1, 0},  {7, 8, 32, 0, 1},
    };
    for (const auto& c : cases) {
        const Cell cell = cellAtPointer(c.x, c.y, c.size);
        EXPECT_EQ(cell.column, c.column) << c.x << "," << c.y << " in " << c.size;
        EXPECT_EQ(cell.row, c.row) << c.x << "," << c.y << " in " << c.size;
        EXPECT_TRUE(pointOnCells(c.x, c.y));
    }
    // Truncation puts x = -1 into column 0, so the point itself is tested.
    EXPECT_EQ(cellAtPointer(-1, 0, 32).column, 0);
    EXPECT_FALSE(pointOnCells(-1, 0));
    EXPECT_FALSE(pointOnCells(256, 0));
    EXPECT_FALSE(pointOnCells(0, 256));
}

TEST(ColourGridDeathTest, SubscriptsOutsideTheGridAreFatal) {
    ColourGrid grid = buildColourGrid(PixelBlock(std::vector<std::uint8_t>(768, 0)), 16);
    EXPECT_EXIT(grid.at({17, 1}), testing::ExitedWithCode(255),
                "错误代码：1\n\n错误信息：数组成员引用下标超出定义范围");
    EXPECT_EXIT(grid.at({1, 0}), testing::ExitedWithCode(255),
                "错误代码：4\n\n错误信息：数组成员引用下标必须大于等于1");
    const ColourGrid never;  // one dimension of size 0
    EXPECT_EQ(never.dimensionCount(), 1u);
    EXPECT_EQ(never.elementCount(), 0u);
    EXPECT_EXIT(never.at({1}), testing::ExitedWithCode(255), "错误代码：1");
}

}  // namespace
}  // namespace pexor
