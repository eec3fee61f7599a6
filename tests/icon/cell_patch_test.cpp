#include "icon/cell_patch.h"

#include <gtest/gtest.h>

#include <map>

#include "icon/templates.h"

namespace pexor {
namespace {

// Positions (from 1) whose byte differs, with the new value.
std::map<std::size_t, int> changes(const ByteBuffer& before, const ByteBuffer& after) {
    std::map<std::size_t, int> out;
    for (std::size_t i = 1; i <= after.size(); ++i)
        if (before.at(i) != after.at(i)) out[i] = after.at(i);
    return out;
}

// An icon whose pixel bytes are all 0x55, so that zeroing them shows.
ByteBuffer greyIcon(int size) {
    const ByteBuffer t = size == 16 ? template16() : template32();
    const std::size_t n = size == 16 ? 768 : 3072;
    return t.replaced(iconTemplateOffsets::kPixels, n,
                      ByteBuffer(std::vector<std::uint8_t>(n, 0x55)));
}

TEST(PatchIconCell, TransparentPenZeroesTheColourAndSetsOneMaskBit) {
    const struct {
        const char* name;
        int size, column, row;
        std::map<std::size_t, int> expected;
    } cases[] = {
        {"16 top-left", 16, 1, 1, {{783, 0}, {784, 0}, {785, 0}, {891, 0x80}}},
        {"16 column 8", 16, 8, 1, {{804, 0}, {805, 0}, {806, 0}, {891, 0x01}}},
        {"16 column 9 bottom row", 16, 9, 16, {{87, 0}, {88, 0}, {89, 0}, {832, 0x80}}},
        {"16 column 16 bottom row", 16, 16, 16, {{108, 0}, {109, 0}, {110, 0}, {832, 0x01}}},
        {"32 column 17 top row", 32, 17, 1, {{3111 - 24, 0}, {3112 - 24, 0}, {3113 - 24, 0},
                                             {3261, 0x80}}},
        {"32 column 24 top row", 32, 24, 1, {{3108, 0}, {3109, 0}, {3110, 0}, {3261, 0x01}}},
        {"32 column 25 top row", 32, 25, 1, {{3111, 0}, {3112, 0}, {3113, 0}, {3262, 0x80}}},
        {"32 column 32 bottom row", 32, 32, 32, {{156, 0}, {157, 0}, {158, 0}, {3138, 0x01}}},
        {"32 column 1 bottom row", 32, 1, 32, {{63, 0}, {64, 0}, {65, 0}, {3135, 0x80}}},
    };
    for (const auto& c : cases) {
        const ByteBuffer before = greyIcon(c.size);
        const ByteBuffer after =
            patchIconCell(before, c.size, c.column, c.row, Pen::Transparent, rgb(1, 2, 3));
        EXPECT_EQ(after.size(), before.size()) << c.name;
        EXPECT_EQ(changes(before, after), c.expected) << c.name;
    }
}

TEST(PatchIconCell, PalettePenWritesBlueGreenRedAndLeavesTheMask) {
    const ByteBuffer before = template16();
    const ByteBuffer red = patchIconCell(before, 16, 1, 1, Pen::Palette, 0x000000FF);
    EXPECT_EQ(changes(before, red), (std::map<std::size_t, int>{{785, 0xFF}}));
    const ByteBuffer mixed = patchIconCell(before, 16, 2, 16, Pen::Palette,
                                           rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(changes(before, mixed),
              (std::map<std::size_t, int>{{66, 0x33}, {67, 0x22}, {68, 0x11}}));
}

TEST(PatchIconCell, RepeatedAndMixedPensAccumulate) {
    const ByteBuffer start = greyIcon(16);
    const ByteBuffer once = patchIconCell(start, 16, 3, 5, Pen::Transparent, 0);
    EXPECT_EQ(patchIconCell(once, 16, 3, 5, Pen::Transparent, 0), once);

    // Transparent, then a palette colour: the colour is back, the mask bit stays.
    const ByteBuffer then = patchIconCell(once, 16, 3, 5, Pen::Palette, rgb(9, 8, 7));
    const auto diff = changes(start, then);
    const std::size_t p = (16 - 5) * 48 + 63 + 6;
    const std::size_t m = (16 - 5) * 4 + 831;
    EXPECT_EQ(diff, (std::map<std::size_t, int>{{p, 7}, {p + 1, 8}, {p + 2, 9}, {m, 0x20}}));

    // Two cells of one mask row keep each other's bits; the row padding is untouched.
    const ByteBuffer two = patchIconCell(once, 16, 12, 5, Pen::Transparent, 0);
    EXPECT_EQ(two.at(m), 0x20);
    EXPECT_EQ(two.at(m + 1), 0x10);
    EXPECT_EQ(two.at(m + 2), 0);
    EXPECT_EQ(two.at(m + 3), 0);
}

}  // namespace
}  // namespace pexor
