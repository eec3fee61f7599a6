#include "runtime/stretch.h"

#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace pexor {
namespace {

constexpr std::uint32_t kOld = 0xFF123456u;  // what the target held before drawing

Picture randomPicture(int width, int height, unsigned seed, bool withAlpha = false) {
    std::mt19937 random(seed);
    Picture p{width, height, {}, withAlpha};
    for (int i = 0; i < width * height; ++i) {
        std::uint32_t value = random();
        if (!withAlpha) {
            value |= 0xFF000000u;
        } else if (i % 3 == 0) {
            value &= 0x00FFFFFFu;  // plenty of fully transparent pixels
        } else if (i % 3 == 1) {
            value |= 0xFF000000u;
        }
        p.pixels.push_back(value);
    }
    return p;
}

struct Canvas {
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
    Canvas(int w, int h, std::uint32_t fill = kOld)
        : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}
    PixelTarget target() { return {pixels, width, height}; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
};

std::uint32_t channel(std::uint32_t argb, int shift) {
    return (argb >> shift) & 0xFF;
}

// Brute force: blow every source pixel up to a block of dstW × dstH cells, so
// that each target pixel covers exactly a srcW × srcH block of cells; its
// value is that block's mean premultiplied colour laid over the old pixel by
// the block's mean alpha, rounded half up.
std::vector<std::uint32_t> referenceHalftone(const Picture& src, int dstW, int dstH,
                                             std::uint32_t old) {
    std::vector<std::uint32_t> out;
    const std::uint64_t cells = std::uint64_t(src.width) * std::uint64_t(src.height);
    for (int ty = 0; ty < dstH; ++ty) {
        for (int tx = 0; tx < dstW; ++tx) {
            std::uint64_t alpha = 0, sum[3] = {0, 0, 0};
            for (int cy = ty * src.height; cy < (ty + 1) * src.height; ++cy) {
                for (int cx = tx * src.width; cx < (tx + 1) * src.width; ++cx) {
                    const std::uint32_t p =
                        src.pixels[std::size_t((cy / dstH) * src.width + cx / dstW)];
                    alpha += p >> 24;
                    for (int c = 0; c < 3; ++c) sum[c] += (p >> 24) * channel(p, 8 * c);
                }
            }
            std::uint32_t value = 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                const std::uint64_t num =
                    2 * (sum[c] + channel(old, 8 * c) * (255 * cells - alpha));
                value |= std::uint32_t((num + 255 * cells) / (2 * 255 * cells)) << (8 * c);
            }
            out.push_back(value);
        }
    }
    return out;
}

TEST(StretchHalftone, OpaqueFourByTwoBlocksAverageToTheirRoundedMean) {
    const Picture src = randomPicture(64, 32, 7);
    Canvas canvas(16, 16);
    stretchHalftone(src, canvas.target(), {0, 0, 16, 16});
    for (int ty = 0; ty < 16; ++ty) {
        for (int tx = 0; tx < 16; ++tx) {
            std::uint32_t expected = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                std::uint32_t sum = 0;
                for (int y = 0; y < 2; ++y) {
                    for (int x = 0; x < 4; ++x) {
                        sum +=
                            channel(src.pixels[std::size_t((2 * ty + y) * 64 + 4 * tx + x)], shift);
                    }
                }
                expected |= ((sum + 4) / 8) << shift;
            }
            ASSERT_EQ(canvas.at(tx, ty), expected) << tx << "," << ty;
        }
    }
}

TEST(StretchHalftone, ThreeByThreeToTwoByTwoWeighsByCoveredArea) {
    // Target pixel (0,0) covers source [0, 1.5) in both directions: weights 1
    // and 0.5 per axis, so source (0,0) counts 4, (1,0) and (0,1) count 2,
    // (1,1) counts 1, out of 9.
    const std::uint32_t grey[9] = {90, 0, 0, 0, 9, 0, 0, 0, 0};
    Picture src{3, 3, {}, false};
    for (std::uint32_t g : grey) src.pixels.push_back(0xFF000000u | g << 16 | g << 8 | g);
    src.pixels[1] |= 18;  // blue of source (1,0) only
    Canvas canvas(2, 2);
    stretchHalftone(src, canvas.target(), {0, 0, 2, 2});
    // Red and green: (90 × 4 + 9 × 1) / 9 = 41. Blue adds 18 × 2: 405 / 9 = 45.
    EXPECT_EQ(canvas.at(0, 0), 0xFF29292Du);
    // Target (1,1) sees (1,1) with weight 1 of 9: 9 / 9 = 1.
    EXPECT_EQ(canvas.at(1, 1), 0xFF010101u);
    // Target (1,0) sees (1,0) weight 2 (blue 18 → 36), (1,1) weight 1: red 1,
    // blue (36 + 9) / 9 = 5.
    EXPECT_EQ(canvas.at(1, 0), 0xFF010105u);
}

struct SizeCase {
    int srcW, srcH, dstW, dstH;
};

TEST(StretchHalftone, MatchesBruteForceAreaAverageForAnyRatio) {
    const SizeCase cases[] = {
        {64, 32, 16, 16}, {3, 3, 2, 2}, {7, 5, 3, 4},  {5, 3, 8, 7},  // enlarging, odd ratio
        {1, 1, 4, 4},     {4, 4, 1, 1}, {13, 1, 5, 3}, {2, 9, 7, 2},
    };
    for (const bool alpha : {false, true}) {
        for (const auto& c : cases) {
            const Picture src = randomPicture(c.srcW, c.srcH, 11 + c.srcW * c.dstH, alpha);
            Canvas canvas(c.dstW, c.dstH);
            stretchHalftone(src, canvas.target(), {0, 0, c.dstW, c.dstH});
            EXPECT_EQ(canvas.pixels, referenceHalftone(src, c.dstW, c.dstH, kOld))
                << c.srcW << "x" << c.srcH << " -> " << c.dstW << "x" << c.dstH
                << (alpha ? " with alpha" : "");
        }
    }
}

TEST(StretchHalftone, EnlargingMixesOnlyNeighbouringPixelsByArea) {
    // Two pixels onto three: the middle target pixel covers half of each.
    const Picture src{2, 1, {0xFF000000u, 0xFFC8C8C8u}, false};
    Canvas canvas(3, 1);
    stretchHalftone(src, canvas.target(), {0, 0, 3, 1});
    EXPECT_EQ(canvas.pixels, (std::vector<std::uint32_t>{0xFF000000u, 0xFF646464u, 0xFFC8C8C8u}));
}

struct TransparencyCase {
    const char* name;
    std::uint32_t sourcePixels[2];  // a 2×1 picture shrunk to one pixel
    std::uint32_t expected;
};

TEST(StretchHalftone, AlphaBlendsOverThePreviousContent) {
    const TransparencyCase cases[] = {
        {"transparent keeps the old pixel exactly", {0x00FFFFFFu, 0x00000000u}, kOld},
        {"opaque replaces it", {0xFF204060u, 0xFF204060u}, 0xFF204060u},
        // Half the area opaque white: (255 + 0x12) / 2 rounded = 0x89, etc.
        {"mask edge mixes", {0xFFFFFFFFu, 0x00000000u}, 0xFF899AABu},
    };
    for (const auto& c : cases) {
        const Picture src{2, 1, {c.sourcePixels[0], c.sourcePixels[1]}, true};
        Canvas canvas(1, 1);
        stretchHalftone(src, canvas.target(), {0, 0, 1, 1});
        EXPECT_EQ(canvas.at(0, 0), c.expected) << c.name;
    }
}

TEST(StretchColourOnColour, TakesTheFirstPixelOfEachBlock) {
    const Picture src = randomPicture(64, 32, 7);
    Canvas canvas(16, 16);
    stretchColourOnColour(src, canvas.target(), {0, 0, 16, 16});
    for (int ty = 0; ty < 16; ++ty) {
        for (int tx = 0; tx < 16; ++tx) {
            // floor(tx × 64 / 16) = 4 tx, floor(ty × 32 / 16) = 2 ty.
            ASSERT_EQ(canvas.at(tx, ty), src.pixels[std::size_t(2 * ty * 64 + 4 * tx)])
                << tx << "," << ty;
        }
    }
}

TEST(StretchColourOnColour, PicksFloorOfScaledPositionAndBlendsAlpha) {
    // Five columns onto three: tx × 5 / 3 = 0, 1, 3.
    const Picture src{
        5, 1, {0xFF000001u, 0x00000002u, 0xFF000003u, 0x80FFFFFFu, 0xFF000005u}, true};
    Canvas canvas(3, 1);
    stretchColourOnColour(src, canvas.target(), {0, 0, 3, 1});
    // Alpha 0 keeps the old pixel; 0x80 white over 0x12,0x34,0x56 blends.
    const auto mix = [](std::uint32_t old) { return (255 * 128 + old * 127 + 127) / 255; };
    const std::uint32_t blended = 0xFF000000u | mix(0x12) << 16 | mix(0x34) << 8 | mix(0x56);
    EXPECT_EQ(canvas.pixels, (std::vector<std::uint32_t>{0xFF000001u, kOld, blended}));
}

TEST(Stretch, ClipsToTheTargetAndDrawsTheSamePixelsInside) {
    const Picture src = randomPicture(9, 7, 3, true);
    using Stretch = void (*)(const Picture&, PixelTarget, TargetRect);
    for (const Stretch stretch : {Stretch(stretchHalftone), Stretch(stretchColourOnColour)}) {
        // Reference: the whole 6×5 rectangle on a roomy canvas at (3,3).
        Canvas whole(12, 11);
        stretch(src, whole.target(), {3, 3, 6, 5});
        // The same rectangle reaching off every side of a small canvas.
        const TargetRect offsets[] = {{-2, -1, 6, 5}, {2, 1, 6, 5}, {-3, 2, 6, 5}};
        for (const TargetRect& r : offsets) {
            Canvas small(5, 4);
            stretch(src, small.target(), r);
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 5; ++x) {
                    const int rx = x - r.left;
                    const int ry = y - r.top;
                    const bool inside = rx >= 0 && rx < 6 && ry >= 0 && ry < 5;
                    EXPECT_EQ(small.at(x, y), inside ? whole.at(rx + 3, ry + 3) : kOld)
                        << r.left << "," << r.top << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(Stretch, DrawsNothingForEmptyRectanglesPicturesOrFarOffPlaces) {
    const Picture src = randomPicture(4, 4, 5);
    const Picture empty;
    const Picture mismatched{4, 4, {0xFFFFFFFFu}, false};
    struct Case {
        const Picture* picture;
        TargetRect rect;
    } cases[] = {
        {&src, {0, 0, 0, 3}},          {&src, {0, 0, 3, -1}},
        {&src, {4, 0, 3, 3}},          {&src, {0, -3, 3, 3}},
        {&src, {2147483000, 0, 3, 3}}, {&src, {-2147483000, 0, 2147483000, 3}},
        {&empty, {0, 0, 4, 4}},        {&mismatched, {0, 0, 4, 4}},
    };
    for (const auto& c : cases) {
        Canvas canvas(4, 4);
        stretchHalftone(*c.picture, canvas.target(), c.rect);
        stretchColourOnColour(*c.picture, canvas.target(), c.rect);
        EXPECT_EQ(canvas.pixels, Canvas(4, 4).pixels) << c.rect.left << "," << c.rect.top;
    }
}

TEST(StretchHalftone, CameraSizedPictureSumsDoNotOverflow) {
    // A uniform 6000 x 4000 picture: each target pixel sums 35 000 source
    // pixels and must still come out as that colour. Speed is measured in
    // the benchmarks.
    Picture src{6000, 4000, std::vector<std::uint32_t>(6000 * 4000, 0xFF3C7AB1u), false};
    Canvas canvas(32, 32);
    stretchHalftone(src, canvas.target(), {0, 0, 32, 32});
    EXPECT_EQ(canvas.pixels, Canvas(32, 32, 0xFF3C7AB1u).pixels);
}

}  // namespace
}  // namespace pexor
