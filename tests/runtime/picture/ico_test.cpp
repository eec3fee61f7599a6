#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/picture/decode.h"
#include "runtime/picture/ico.h"
#include "tests/runtime/picture/picture_testing.h"

namespace pexor {
namespace {

struct Bytes {
    std::vector<std::uint8_t> v;
    void u8(unsigned x) { v.push_back(std::uint8_t(x)); }
    void le16(unsigned x) { u8(x), u8(x >> 8); }
    void le32(std::uint32_t x) { le16(x & 0xFFFF), le16(x >> 16); }
    void pad4(std::size_t rowStart) {
        while ((v.size() - rowStart) % 4) u8(0);
    }
};

// An icon image as a bitmap: pixels top-down as 0xAARRGGBB, 24 or 32 bits;
// mask rows top-down, 'x' for a set AND bit (transparent). `maskRows` may
// hold fewer rows than the image to cut the mask short.
std::vector<std::uint8_t> iconBitmap(int width, int height, int bits,
                                     const std::vector<std::uint32_t>& pixels,
                                     const std::vector<std::string>& maskRows) {
    Bytes b;
    b.le32(40);                              // header size: BITMAPINFOHEADER
    b.le32(width);                           // width
    b.le32(height * 2);                      // height of the colour rows and the mask rows together
    b.le16(1);                               // planes
    b.le16(bits);                            // bits per pixel
    b.le32(0);                               // compression: none
    b.le32(0);                               // image size: may be 0 when uncompressed
    b.le32(0);                               // horizontal resolution
    b.le32(0);                               // vertical resolution
    b.le32(0);                               // colours used: no palette above 8 bits
    b.le32(0);                               // important colours
    for (int y = height - 1; y >= 0; --y) {  // colour rows, bottom-up
        const std::size_t start = b.v.size();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[std::size_t(y * width + x)];
            b.u8(p), b.u8(p >> 8), b.u8(p >> 16);  // blue, green, red
            if (bits == 32) b.u8(p >> 24);         // alpha
        }
        b.pad4(start);
    }
    const int maskHeight = int(maskRows.size());
    for (int y = maskHeight - 1; y >= 0; --y) {  // mask rows, bottom-up, 1 bit per pixel
        const std::size_t start = b.v.size();
        for (int x = 0; x < width; x += 8) {
            unsigned byte = 0;
            for (int bit = 0; bit < 8 && x + bit < width; ++bit) {
                if (maskRows[std::size_t(y)][std::size_t(x + bit)] == 'x') byte |= 0x80u >> bit;
            }
            b.u8(byte);
        }
        b.pad4(start);
    }
    return b.v;
}

std::vector<std::uint8_t> solidBitmap(std::uint32_t colour) {
    return iconBitmap(1, 1, 24, {colour}, {"."});
}

struct Entry {
    unsigned widthByte = 32;   // 0 means 256
    unsigned colourCount = 0;  // 0 means 256 or more
    std::vector<std::uint8_t> data;
};

// An icon (type 1) or cursor (type 2) file: the directory, then each
// entry's data in turn.
std::vector<std::uint8_t> iconFile(const std::vector<Entry>& entries, unsigned type = 1) {
    Bytes b;
    b.le16(0);     // reserved
    b.le16(type);  // 1 icon, 2 cursor
    b.le16(unsigned(entries.size()));
    std::uint32_t offset = std::uint32_t(6 + 16 * entries.size());
    for (const auto& e : entries) {
        b.u8(e.widthByte);
        b.u8(e.widthByte);                     // height
        b.u8(e.colourCount);                   // colour count
        b.u8(0);                               // reserved
        b.le16(1);                             // planes (a cursor's hot spot x)
        b.le16(24);                            // bit count (a cursor's hot spot y)
        b.le32(std::uint32_t(e.data.size()));  // data size
        b.le32(offset);                        // data offset
        offset += std::uint32_t(e.data.size());
    }
    for (const auto& e : entries) b.v.insert(b.v.end(), e.data.begin(), e.data.end());
    return b.v;
}

constexpr std::uint32_t kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu,
                        kWhite = 0xFFFFFFFFu;

struct ChoiceCase {
    const char* name;
    std::vector<std::pair<unsigned, unsigned>> entries;  // width byte, colour count
    std::size_t chosen;
};

// Each entry is a single pixel of its own colour, so the colour shows which
// entry was chosen.
TEST(IcoDecoder, ChoosesTheFirst32PixelEntryWith16To255ColoursElseTheLast) {
    const std::uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
    const ChoiceCase cases[] = {
        {"first qualifying wins", {{16, 16}, {32, 16}, {32, 16}}, 1},
        {"255 colours qualify", {{32, 255}, {32, 16}}, 0},
        {"8 colours do not", {{32, 8}, {32, 16}, {48, 16}}, 1},
        {"256 colours (0) do not: last", {{32, 0}, {48, 16}}, 1},
        {"none 32 wide: last", {{16, 16}, {48, 16}, {0, 16}, {24, 0}}, 3},
        {"2 colours only: last", {{32, 2}, {16, 2}, {48, 2}}, 2},
        {"a single entry", {{16, 0}}, 0},
    };
    for (const auto& c : cases) {
        std::vector<Entry> entries;
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            entries.push_back({c.entries[i].first, c.entries[i].second, solidBitmap(colours[i])});
        }
        const PictureResult result = decodeIco(iconFile(entries));
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.error;
        EXPECT_EQ(result.picture->pixels, std::vector<std::uint32_t>{colours[c.chosen]}) << c.name;
        EXPECT_TRUE(result.picture->hasTransparency) << c.name;
    }
}

TEST(IcoDecoder, AndMaskMakesPixelsTransparent) {
    // 3 x 2, so every row is padded; rows are stored bottom-up.
    const std::vector<std::uint32_t> pixels = {kRed, kGreen, kBlue, kWhite, kRed, kGreen};
    const std::vector<std::string> mask = {"x..", "..x"};
    const std::vector<std::uint32_t> masked = {kRed & 0xFFFFFF, kGreen, kBlue,
                                               kWhite,          kRed,   kGreen & 0xFFFFFF};
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        std::vector<std::uint32_t> expected;
    };
    std::vector<std::uint32_t> noAlpha = pixels;  // a 32-bit image whose alpha bytes are all 0
    for (auto& p : noAlpha) p &= 0x00FFFFFF;
    std::vector<std::uint32_t> ownAlpha = pixels;  // a 32-bit image with alpha of its own
    ownAlpha[1] = 0x80FF00FFu;
    const Case cases[] = {
        {"24-bit", iconFile({{32, 0, iconBitmap(3, 2, 24, pixels, mask)}}), masked},
        {"32-bit with zero alpha uses the mask",
         iconFile({{32, 0, iconBitmap(3, 2, 32, noAlpha, mask)}}), masked},
        {"32-bit alpha wins over the mask",
         iconFile({{32, 0, iconBitmap(3, 2, 32, ownAlpha, mask)}}), ownAlpha},
        {"mask cut short: opaque", iconFile({{32, 0, iconBitmap(3, 2, 24, pixels, {"x.."})}}),
         pixels},
        {"no mask at all: opaque", iconFile({{32, 0, iconBitmap(3, 2, 24, pixels, {})}}), pixels},
        {"cursor", iconFile({{32, 0, iconBitmap(3, 2, 24, pixels, mask)}}, 2), masked},
    };
    for (const auto& c : cases) {
        const PictureResult result = decodePicture(c.file);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.error;
        EXPECT_EQ(result.picture->width, 3) << c.name;
        EXPECT_EQ(result.picture->pixels, c.expected) << c.name;
        EXPECT_TRUE(result.picture->hasTransparency) << c.name;
    }
}

TEST(IcoDecoder, ReadsPngEntries) {
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, 0xFFFF0000u);
    image.setPixel(1, 0, 0x00000000u);
    image.setPixel(0, 1, 0x800000FFu);
    image.setPixel(1, 1, 0xFF00FF00u);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG"));
    const std::vector<std::uint8_t> data(png.begin(), png.end());

    // A PNG entry among bitmaps: the first entry (16 wide) is passed over,
    // the last (width byte 0: 256) is chosen.
    const PictureResult result = decodeIco(iconFile({{16, 16, solidBitmap(kRed)}, {0, 0, data}}));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_TRUE(result.picture->hasTransparency);
    const std::vector<std::uint32_t> expected = {0xFFFF0000u, 0x00000000u, 0x800000FFu,
                                                 0xFF00FF00u};
    EXPECT_EQ(result.picture->pixels, expected);

    // A PNG whose header claims 100000 x 100000 pixels is refused before Qt
    // reads it.
    std::vector<std::uint8_t> huge = data;
    const std::size_t widthAt = 16;  // signature 8, chunk length 4, "IHDR" 4
    for (const std::size_t at : {widthAt, widthAt + 4}) {
        huge[at] = 0, huge[at + 1] = 0x01, huge[at + 2] = 0x86, huge[at + 3] = 0xA0;  // 100000
    }
    const PictureResult refused = decodeIco(iconFile({{0, 0, huge}}));
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.error.find("too large"), std::string::npos) << refused.error;
}

TEST(IcoDecoder, RefusesBrokenDirectories) {
    std::vector<std::uint8_t> pastEnd = iconFile({{32, 0, solidBitmap(kRed)}});
    pastEnd[18] = 0xFF;  // the entry's data offset, now far past the end
    std::vector<std::uint8_t> cutDirectory = iconFile({{32, 0, solidBitmap(kRed)}});
    cutDirectory[4] = 3;  // three entries claimed, one present
    cutDirectory.resize(6 + 16 + 4);
    std::vector<std::uint8_t> bigColourRows =
        iconFile({{32, 0, iconBitmap(3, 2, 24, {kRed, kRed, kRed, kRed, kRed, kRed}, {})}});
    bigColourRows.resize(bigColourRows.size() - 4);  // colour rows cut short
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        const char* error;
    };
    const Case cases[] = {
        {"offset past end", pastEnd, "ICO image offset past end of file"},
        {"directory cut short", cutDirectory, "ICO directory cut short"},
        {"no images", {0, 0, 1, 0, 0, 0}, "ICO directory lists no image"},
        {"colour rows cut short", bigColourRows, "ICO image pixel data cut short"},
        {"header only", {0, 0, 1, 0, 4, 0}, "ICO directory cut short"},
    };
    for (const auto& c : cases) {
        const PictureResult result = decodeIco(c.file);
        EXPECT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(result.error, c.error) << c.name;
    }
}

// Upstream renderings, compared with alpha; the colour under fully
// transparent pixels is free.
TEST(IcoDecoder, CorpusIconsMatchTheirReferences) {
    const std::pair<const char*, const char*> cases[] = {
        {"mozilla/ico-size-16x16-1bpp.ico", "mozilla/reference/ico-size-16x16-1bpp.png"},
        {"mozilla/ico-not-square-transparent-1bpp.ico",
         "mozilla/reference/ico-not-square-transparent-1bpp.png"},
        {"mozilla/ico-size-15x15-4bpp.ico", "mozilla/reference/ico-size-15x15-4bpp.png"},
        {"mozilla/ico-partial-transparent-4bpp.ico",
         "mozilla/reference/ico-partial-transparent-4bpp.png"},
        {"mozilla/ico-size-17x17-8bpp.ico", "mozilla/reference/ico-size-17x17-8bpp.png"},
        {"mozilla/ico-size-31x31-24bpp.ico", "mozilla/reference/ico-size-31x31-24bpp.png"},
        {"mozilla/ico-partial-transparent-32bpp.ico",
         "mozilla/reference/ico-partial-transparent-32bpp.png"},
        {"mozilla/ico-size-256x256-8bpp.ico", "mozilla/reference/ico-size-256x256-8bpp.png"},
        {"mozilla/ico-size-256x256-png.ico", "mozilla/reference/ico-size-256x256-png.png"},
        {"mozilla/ico-size-1x1-png.ico", "mozilla/reference/ico-size-1x1-png.png"},
        {"mozilla/pointer.cur", "mozilla/reference/pointer.png"},
        {"image-rs/smile.ico", "image-rs/reference/smile.ico.png"},
        {"image-rs/png_l8.ico", "image-rs/reference/png_l8.ico.png"},
        {"image-rs/png_rgb8.ico", "image-rs/reference/png_rgb8.ico.png"},
        {"image-rs/lenient-bpp.ico", "image-rs/reference/lenient-bpp.ico.png"},
    };
    for (const auto& [file, reference] : cases) {
        SCOPED_TRACE(file);
        const PictureResult result =
            decodePicture(test::readPicture(std::string("ico/") + file).span());
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_TRUE(result.picture->hasTransparency);
        EXPECT_TRUE(test::matchesReference(*result.picture,
                                           test::readReference(std::string("ico/") + reference),
                                           {.alpha = true}));
    }
    // The 32-bit image's alpha (128 everywhere) wins over a mask that says
    // "all transparent".
    const PictureResult conflicting =
        decodeIco(test::readPicture("ico/image-rs/bmp-32bpp-conflicting-and-mask.ico").span());
    ASSERT_TRUE(conflicting.ok());
    for (const std::uint32_t pixel : conflicting.picture->pixels) ASSERT_EQ(pixel >> 24, 128u);
}

}  // namespace
}  // namespace pexor
