#include "runtime/surface.h"

#include <QBuffer>
#include <QImage>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace pexor {
namespace {

constexpr ColourValue kBlue = rgb(0, 0, 255);
constexpr std::uint32_t kFaceArgb = 0xFFF0F0F0u;  // faceColour() without a provider

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

// A 24-bit bottom-up BMP file of one colour.
ByteBuffer solidBmp(int width, int height, std::uint8_t red, std::uint8_t green,
                    std::uint8_t blue) {
    const std::uint32_t rowBytes = (std::uint32_t(width) * 3 + 3) & ~3u;
    std::vector<std::uint8_t> b = {'B', 'M'};
    putLe32(b, 54 + rowBytes * std::uint32_t(height));  // file size
    putLe32(b, 0);                                      // two reserved words
    putLe32(b, 54);                                     // pixel offset
    putLe32(b, 40);                                     // BITMAPINFOHEADER size
    putLe32(b, std::uint32_t(width));
    putLe32(b, std::uint32_t(height));  // positive: bottom-up
    putLe16(b, 1);                      // planes
    putLe16(b, 24);                     // bits per pixel
    putLe32(b, 0);                      // no compression
    putLe32(b, rowBytes * std::uint32_t(height));
    putLe32(b, 2835);  // 72 dpi, both ways
    putLe32(b, 2835);
    putLe32(b, 0);  // colours used
    putLe32(b, 0);  // important colours
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) b.insert(b.end(), {blue, green, red});
        b.resize(b.size() + rowBytes - std::uint32_t(width) * 3, 0);
    }
    return ByteBuffer(std::move(b));
}

TEST(Surface, StartsInTheResolvedBackgroundColour) {
    EXPECT_EQ(Surface(3, 2).pixels(), std::vector<std::uint32_t>(6, kFaceArgb));
    EXPECT_EQ(Surface(3, 2, rgb(1, 2, 3)).pixels(), std::vector<std::uint32_t>(6, 0xFF010203u));
    EXPECT_EQ(Surface(3, 2).backgroundColour(), kDefaultColour);  // read back unchanged
}

TEST(Surface, PointsAndPixelReadsAreClipped) {
    Surface s(4, 3, kBlue);
    s.drawPoint(3, 2, rgb(10, 20, 30));
    s.drawPoint(0, 0, kDefaultColour);
    for (const auto& [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}}) {
        s.drawPoint(x, y, rgb(1, 1, 1));
        EXPECT_EQ(s.pixel(x, y), 0u);
    }
    EXPECT_EQ(s.pixel(3, 2), 0xFF0A141Eu);
    EXPECT_EQ(s.pixel(0, 0), kFaceArgb);
    int changed = 0;
    for (std::uint32_t p : s.pixels()) changed += p != 0xFF0000FFu;
    EXPECT_EQ(changed, 2);
}

TEST(Surface, ClearUsesTheNewBackgroundColourAndDropsDrawings) {
    Surface s(2, 2, kBlue);
    s.drawPoint(1, 1, rgb(9, 9, 9));
    s.setBackgroundColour(rgb(7, 8, 9));
    EXPECT_EQ(s.pixel(0, 0), 0xFF0000FFu);  // not before the next clear
    s.clear();
    EXPECT_EQ(s.pixels(), std::vector<std::uint32_t>(4, 0xFF070809u));
}

TEST(Surface, DrawPictureUsesTheModeAndIgnoresNull) {
    const Picture twoColours{2, 1, {0xFFC80000u, 0xFF0000C8u}, false};
    Surface s(2, 1, kBlue);
    s.drawPicture(nullptr, 0, 0, 2, 1, StretchMode::Halftone);
    EXPECT_EQ(s.pixels(), std::vector<std::uint32_t>(2, 0xFF0000FFu));
    s.drawPicture(&twoColours, 0, 0, 1, 1, StretchMode::Halftone);
    s.drawPicture(&twoColours, 1, 0, 1, 1, StretchMode::ColourOnColour);
    EXPECT_EQ(s.pixel(0, 0), 0xFF640064u);  // both averaged
    EXPECT_EQ(s.pixel(1, 0), 0xFFC80000u);  // source column 0 only
}

struct RectangleCase {
    const char* name;
    PenStyle pen;
    bool hollow;
    int left, top, right, bottom;
    // The 6 × 5 surface afterwards, row by row: P pen, F brush, '.' untouched.
    const char* rows;
};

TEST(Surface, RectanglesOutlineInThePenAndFillInTheBrush) {
    constexpr std::uint32_t kPen = 0xFF112233u, kBrush = 0xFF445566u;
    const RectangleCase cases[] = {
        {"solid pen, solid brush", PenStyle::Solid, false, 1, 1, 5, 4,
         "...... .PPPP. .PFFP. .PPPP. ......"},
        {"hollow brush", PenStyle::Solid, true, 1, 1, 5, 4, "...... .PPPP. .P..P. .PPPP. ......"},
        // Dots where x + y is even; the gaps keep what was there.
        {"dotted pen", PenStyle::Dotted, false, 0, 0, 6, 5, "P.P.P. .FFFFP PFFFF. .FFFFP P.P.P."},
        {"dotted pen, hollow brush", PenStyle::Dotted, true, 1, 0, 5, 4,
         "..P.P. .P.... ....P. .P.P.. ......"},
        {"clipped at the top left", PenStyle::Solid, false, -1, -1, 3, 3,
         "FFP... FFP... PPP... ...... ......"},
        {"clipped at the bottom right", PenStyle::Solid, false, 4, 3, 9, 9,
         "...... ...... ...... ....PP ....PF"},
        {"one pixel", PenStyle::Solid, false, 2, 2, 3, 3, "...... ...... ..P... ...... ......"},
        {"two wide has no inside", PenStyle::Solid, false, 1, 1, 3, 4,
         "...... .PP... .PP... .PP... ......"},
        {"empty width", PenStyle::Solid, false, 2, 1, 2, 4, "...... ...... ...... ...... ......"},
        {"inverted height", PenStyle::Solid, false, 1, 4, 3, 1,
         "...... ...... ...... ...... ......"},
    };
    for (const auto& c : cases) {
        Surface s(6, 5, kBlue);
        // A different colour under every pixel, so untouched pixels are known.
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x) s.drawPoint(x, y, rgb(std::uint8_t(x), std::uint8_t(y), 0));
        }
        s.setPen(c.pen, colourOfArgb(kPen));
        s.setBrush(colourOfArgb(kBrush));
        if (c.hollow) s.setHollowBrush();
        s.drawRectangle(c.left, c.top, c.right, c.bottom);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x) {
                const char want = c.rows[y * 7 + x];
                const std::uint32_t untouched =
                    0xFF000000u | std::uint32_t(x) << 16 | std::uint32_t(y) << 8;
                const std::uint32_t expected = want == 'P'   ? kPen
                                               : want == 'F' ? kBrush
                                                             : untouched;
                EXPECT_EQ(s.pixel(x, y), expected) << c.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(Surface, RectangleColoursAreResolved) {
    Surface s(3, 3, kBlue);
    s.setPen(PenStyle::Solid, kDefaultColour);
    s.setBrush(0x01030201u);  // stray high byte, not the marker
    s.drawRectangle(0, 0, 3, 3);
    EXPECT_EQ(s.pixel(0, 0), kFaceArgb);
    EXPECT_EQ(s.pixel(1, 1), 0xFF010203u);
    s.setHollowBrush();
    s.setBrush(rgb(5, 5, 5));  // a new brush fills again
    s.drawRectangle(0, 0, 3, 3);
    EXPECT_EQ(s.pixel(1, 1), 0xFF050505u);
}

struct SnapshotCase {
    int width, height;
    std::uint32_t fileSize;
};

TEST(Surface, SnapshotIsABottomUp24BitBmp) {
    const SnapshotCase cases[] = {{16, 16, 822}, {32, 32, 3126}, {5, 3, 102}};
    for (const auto& c : cases) {
        Surface s(c.width, c.height, rgb(200, 100, 50));
        s.drawPoint(0, 0, rgb(1, 2, 3));                       // top left
        s.drawPoint(c.width - 1, c.height - 1, rgb(4, 5, 6));  // bottom right
        s.drawPoint(1, c.height - 1, rgb(7, 8, 9));            // bottom row
        const ByteBuffer bmp = s.snapshot();
        const std::uint32_t rowBytes = (std::uint32_t(c.width) * 3 + 3) & ~3u;
        const std::string at = std::to_string(c.width) + "x" + std::to_string(c.height);

        ASSERT_EQ(bmp.size(), c.fileSize) << at;
        EXPECT_EQ(bmp.at(1), 'B') << at;
        EXPECT_EQ(bmp.at(2), 'M') << at;
        EXPECT_EQ(bmp.readLe32(3), c.fileSize) << at;
        EXPECT_EQ(bmp.readLe16(7), 0u) << at;
        EXPECT_EQ(bmp.readLe16(9), 0u) << at;
        EXPECT_EQ(bmp.readLe32(11), 54u) << at;
        EXPECT_EQ(bmp.readLe32(15), 40u) << at;
        EXPECT_EQ(bmp.readLe32(19), std::uint32_t(c.width)) << at;
        EXPECT_EQ(bmp.readLe32(23), std::uint32_t(c.height)) << at;
        EXPECT_EQ(bmp.readLe16(27), 1u) << at;
        EXPECT_EQ(bmp.readLe16(29), 24u) << at;
        EXPECT_EQ(bmp.readLe32(31), 0u) << at;
        EXPECT_EQ(bmp.readLe32(35), rowBytes * std::uint32_t(c.height)) << at;
        for (std::size_t field = 39; field <= 51; field += 4) {
            EXPECT_EQ(bmp.readLe32(field), 0u) << at << " field at " << field;
        }
        // The first stored row is the bottom one; blue, green, red.
        const std::size_t bottomLeft = 55;
        EXPECT_EQ(bmp.mid(bottomLeft + 3, 3), (ByteBuffer{9, 8, 7})) << at;
        EXPECT_EQ(bmp.mid(bottomLeft + 3 * std::size_t(c.width - 1), 3), (ByteBuffer{6, 5, 4}))
            << at;
        EXPECT_EQ(bmp.mid(bottomLeft + rowBytes * std::size_t(c.height - 1), 3),
                  (ByteBuffer{3, 2, 1}))
            << at;
        // Every pixel in its place, padding zero.
        for (int y = 0; y < c.height; ++y) {
            const std::size_t row = bottomLeft + rowBytes * std::size_t(c.height - 1 - y);
            for (int x = 0; x < c.width; ++x) {
                const std::uint32_t p = s.pixel(x, y);
                EXPECT_EQ(
                    bmp.mid(row + 3 * std::size_t(x), 3),
                    (ByteBuffer{std::uint8_t(p), std::uint8_t(p >> 8), std::uint8_t(p >> 16)}))
                    << at << " at " << x << "," << y;
            }
            for (std::size_t pad = 3 * std::size_t(c.width); pad < rowBytes; ++pad) {
                EXPECT_EQ(bmp.at(row + pad), 0) << at << " row " << y;
            }
        }
    }
}

struct FitCase {
    int surfaceW, surfaceH, pictureW, pictureH;
    int left, top, width, height;  // where the picture lands
};

TEST(Surface, BackgroundPictureIsCentredAndOnlyShrunk) {
    const FitCase cases[] = {
        {84, 84, 168, 84, 0, 21, 84, 42},   // wider: the width ratio wins
        {84, 84, 100, 300, 28, 0, 28, 84},  // taller: the height ratio wins
        {84, 84, 100, 30, 0, 29, 84, 25},   // 25.2 rows truncated to 25
        {84, 84, 40, 20, 22, 32, 40, 20},   // small: not enlarged
        {84, 84, 41, 21, 21, 31, 41, 21},   // odd leftovers: offsets truncated
        {84, 84, 84, 84, 0, 0, 84, 84},
        {100, 50, 60, 60, 25, 0, 50, 50},  // fits the height of a wide surface
    };
    for (const auto& c : cases) {
        Surface s(c.surfaceW, c.surfaceH, kBlue);
        const ByteBuffer bmp = solidBmp(c.pictureW, c.pictureH, 0x20, 0x80, 0x40);
        s.setBackgroundPicture(bmp);
        ASSERT_TRUE(s.backgroundIsPicture());
        EXPECT_EQ(s.backgroundPicture(), bmp);
        s.drawPoint(0, 0, rgb(1, 1, 1));
        s.clear();  // redraws the picture and drops the point
        for (int y = 0; y < c.surfaceH; ++y) {
            for (int x = 0; x < c.surfaceW; ++x) {
                const bool inside =
                    x >= c.left && x < c.left + c.width && y >= c.top && y < c.top + c.height;
                ASSERT_EQ(s.pixel(x, y), inside ? 0xFF208040u : 0xFF0000FFu)
                    << c.pictureW << "x" << c.pictureH << " at " << x << "," << y;
            }
        }
    }
}

TEST(Surface, BytesThatAreNoPictureAreKeptAndShowNothing) {
    for (const ByteBuffer& bytes : {ByteBuffer::fromString("not a picture at all"), ByteBuffer()}) {
        Surface s(4, 4, kBlue);
        s.setBackgroundPicture(solidBmp(4, 4, 1, 2, 3));
        s.drawPoint(1, 1, rgb(9, 9, 9));
        s.setBackgroundPicture(bytes);
        EXPECT_FALSE(s.backgroundIsPicture());
        EXPECT_EQ(s.backgroundPicture(), bytes);
        EXPECT_EQ(s.pixels(), std::vector<std::uint32_t>(16, 0xFF0000FFu));
    }
}

// A JPEG decoded at 7/8 for the preview (613 x 336) would fit as 84 x 46;
// the file's own 700 x 383 fits as 84 x 45, and that is what shows.
TEST(Surface, ReducedDecodeFitsByTheFilesOwnSize) {
    QImage image(700, 383, QImage::Format_RGB32);
    image.fill(QColor(0, 200, 0));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "JPG", 95));
    Surface s(84, 84, kBlue);
    s.setBackgroundPicture(ByteBuffer(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()))));
    ASSERT_TRUE(s.backgroundIsPicture());
    ASSERT_LT(s.decodedBackground()->width, 700);  // it was decoded smaller
    const int top = (84 - 45) / 2;
    EXPECT_EQ(s.pixel(42, top - 1), 0xFF0000FFu);
    EXPECT_NE(s.pixel(42, top), 0xFF0000FFu);
    EXPECT_NE(s.pixel(42, top + 44), 0xFF0000FFu);
    EXPECT_EQ(s.pixel(42, top + 45), 0xFF0000FFu);
}

}  // namespace
}  // namespace pexor
