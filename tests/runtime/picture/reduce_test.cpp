#include "runtime/picture/reduce.h"

#include <gtest/gtest.h>

#include "runtime/picture/decode.h"
#include "tests/support/fixtures.h"

namespace pexor {
namespace {

TEST(ReductionFactor, LeavesFourSourcePixelsPerDrawnPixel) {
    const struct {
        std::int64_t width, height;
        DecodeHint hint;
        int factor;
    } cases[] = {
        {4000, 3000, {84, 84}, 8},    // 3000 / 336
        {4000, 3000, {32, 32}, 23},   // 3000 / 128
        {4000, 3000, {0, 0}, 1},      // no hint: full size
        {300, 300, {84, 84}, 1},      // already small
        {65535, 65535, {1, 1}, 256},  // capped, so block sums fit 32 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(reductionFactor(c.width, c.height, c.hint), c.factor)
            << c.width << "x" << c.height << " for " << c.hint.maxWidth;
}

// A BMP shrunk while it is decoded holds the mean of each block, the blocks
// at the right and bottom edges averaging what they have, in either row order.
TEST(RowReducer, BmpRowsBecomeBlockAveragesInEitherRowOrder) {
    const int w = 70, h = 50;  // with factor 3: 24 x 17, edge blocks of 1 and 2
    const ByteBuffer bottomUp = test::makeBmp24(w, h, test::patternPixel);
    // The same picture stored top-down: a negative height and reversed rows.
    ByteBuffer topDown = bottomUp.replaced(23, 4, ByteBuffer{0xCE, 0xFF, 0xFF, 0xFF});
    const std::size_t rowBytes = (w * 3 + 3) / 4 * 4;
    for (int r = 0; r < h; ++r)
        topDown = topDown.replaced(55 + r * rowBytes, rowBytes,
                                   bottomUp.mid(55 + (h - 1 - r) * rowBytes, rowBytes));
    for (const ByteBuffer* file : {&bottomUp, static_cast<const ByteBuffer*>(&topDown)}) {
        const PictureResult r = decodePicture(file->span(), DecodeHint{4, 4});  // factor 3
        ASSERT_TRUE(r.ok()) << r.error;
        const Picture& p = *r.picture;
        ASSERT_EQ(p.width, 24);
        ASSERT_EQ(p.height, 17);
        EXPECT_EQ(p.fullWidth, w);
        EXPECT_EQ(p.fullHeight, h);
        for (int oy = 0; oy < p.height; ++oy) {
            for (int ox = 0; ox < p.width; ++ox) {
                int sum[3] = {0, 0, 0}, n = 0;
                for (int y = oy * 3; y < std::min(h, oy * 3 + 3); ++y) {
                    for (int x = ox * 3; x < std::min(w, ox * 3 + 3); ++x, ++n) {
                        for (int ch = 0; ch < 3; ++ch)
                            sum[ch] += (test::patternPixel(x, y) >> (8 * ch)) & 0xFF;
                    }
                }
                std::uint32_t expected = 0xFF000000u;
                for (int ch = 0; ch < 3; ++ch)
                    expected |= std::uint32_t((sum[ch] + n / 2) / n) << (8 * ch);
                ASSERT_EQ(p.pixels[std::size_t(oy * p.width + ox)], expected)
                    << ox << "," << oy << (file == &topDown ? " top-down" : " bottom-up");
            }
        }
    }
}

}  // namespace
}  // namespace pexor
