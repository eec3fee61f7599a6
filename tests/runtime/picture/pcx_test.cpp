#include <gtest/gtest.h>

#include <vector>

#include "runtime/picture/decode.h"
#include "runtime/picture/pcx.h"
#include "tests/runtime/picture/picture_testing.h"

namespace pexor {
namespace {

// 8-bit files with the 256-colour palette, the 24-bit file, and 1-bit
// files (bit 1 white), against their upstream renderings.
TEST(PcxDecoder, CorpusFilesMatchTheirReferences) {
    const std::pair<const char*, const char*> cases[] = {
        {"kimageformats/indexed8.pcx", "kimageformats/reference/indexed8.png"},
        {"kimageformats/ccbug_463951.pcx", "kimageformats/reference/ccbug_463951.png"},
        {"kryptan-pcx/gmarbles.pcx", "kryptan-pcx/reference/gmarbles.png"},
        {"kimageformats/rgb.pcx", "kimageformats/reference/rgb.png"},
        {"kimageformats/mono.pcx", "kimageformats/reference/mono.png"},
        {"kryptan-pcx/CGA_BW.PCX", "kryptan-pcx/reference/CGA_BW.png"},
    };
    for (const auto& [file, reference] : cases) {
        SCOPED_TRACE(file);
        const PictureResult result =
            decodePcx(test::readPicture(std::string("pcx/") + file).span());
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_FALSE(result.picture->hasTransparency);
        EXPECT_TRUE(test::matchesReference(*result.picture,
                                           test::readReference(std::string("pcx/") + reference),
                                           {.alpha = true}));
    }
}

// Only version 3 announces a 1-bit file by its first bytes; later versions
// of 1-bit files are not recognised as pictures at all.
TEST(PcxDecoder, OnlyVersion3OneBitFilesReachItThroughTheEntryPoint) {
    const ByteBuffer mono = test::readPicture("pcx/kimageformats/mono.pcx");  // version 5
    EXPECT_FALSE(decodePicture(mono.span()).ok());
    EXPECT_TRUE(decodePcx(mono.span()).ok());
}

struct Bytes {
    std::vector<std::uint8_t> v;
    void u8(unsigned x) { v.push_back(std::uint8_t(x)); }
    void le16(unsigned x) { u8(x), u8(x >> 8); }
};

// A PCX header, then `data` (run-length encoded already), then `tail`.
std::vector<std::uint8_t> pcxFile(unsigned version, unsigned bits, unsigned planes, unsigned width,
                                  unsigned height, unsigned bytesPerLine,
                                  const std::vector<std::uint8_t>& data,
                                  const std::vector<std::uint8_t>& tail = {}) {
    Bytes b;
    b.u8(0x0A);                                                   // manufacturer
    b.u8(version);                                                // version
    b.u8(1);                                                      // encoding: run lengths
    b.u8(bits);                                                   // bits per pixel per plane
    b.le16(0), b.le16(0), b.le16(width - 1), b.le16(height - 1);  // window
    b.le16(72), b.le16(72);                                       // resolution
    for (int i = 0; i < 48; ++i) b.u8(0xAA);                      // 16-colour palette: ignored
    b.u8(0);                                                      // reserved
    b.u8(planes);                                                 // planes
    b.le16(bytesPerLine);                                         // bytes per line per plane
    b.v.resize(128, 0);
    b.v.insert(b.v.end(), data.begin(), data.end());
    b.v.insert(b.v.end(), tail.begin(), tail.end());
    return b.v;
}

// The 256-colour palette at the end: marker, then entry i = (i, 255 - i, 7).
std::vector<std::uint8_t> vgaPalette() {
    std::vector<std::uint8_t> p = {0x0C};
    for (unsigned i = 0; i < 256; ++i) {
        p.push_back(std::uint8_t(i)), p.push_back(std::uint8_t(255 - i)), p.push_back(7);
    }
    return p;
}

std::uint32_t vga(unsigned i) {
    return 0xFF000000u | i << 16 | (255 - i) << 8 | 7;
}

struct MadeCase {
    const char* name;
    std::vector<std::uint8_t> file;
    int width;
    std::vector<std::uint32_t> pixels;
};

TEST(PcxDecoder, DecodesHandMadeFiles) {
    constexpr std::uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;
    const MadeCase cases[] = {
        // 3 x 2, 8 bits, odd bytes per line (3), a run (0xC3 = 3 times) crossing
        // from the first line into the second.
        {"8-bit with a run across lines",
         pcxFile(5, 8, 1, 3, 2, 3, {0x01, 0x02, 0xC3, 0x05, 0x09}, vgaPalette()),
         3,
         {vga(1), vga(2), vga(5), vga(5), vga(5), vga(9)}},
        // 2 x 2, 8 bits, padded to 4 bytes per line: the padding is not shown;
        // values of 0xC0 and above must be sent as runs of one.
        {"8-bit with padding",
         pcxFile(5, 8, 1, 2, 2, 4, {0xC1, 0xC8, 0x10, 0, 0, 0x20, 0x30, 0, 0}, vgaPalette()),
         2,
         {vga(0xC8), vga(0x10), vga(0x20), vga(0x30)}},
        // 2 x 1, 24 bits: a red plane, a green plane and a blue plane per line.
        {"24-bit planes",
         pcxFile(5, 8, 3, 2, 1, 2, {0xC1, 0xFF, 0x00, 0xC2, 0x80, 0x01, 0x02}),
         2,
         {0xFFFF8001u, 0xFF008002u}},
        // 10 x 1, 1 bit, version 3: bit 1 white, padding bits ignored.
        {"1-bit version 3",
         pcxFile(3, 1, 1, 10, 1, 2, {0xC1, 0xA5, 0xC1, 0xFF}),
         10,
         {kWhite, kBlack, kWhite, kBlack, kBlack, kWhite, kBlack, kWhite, kWhite, kWhite}},
    };
    for (const auto& c : cases) {
        const PictureResult result = decodePicture(c.file);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.error;
        EXPECT_EQ(result.picture->width, c.width) << c.name;
        EXPECT_EQ(result.picture->pixels, c.pixels) << c.name;
    }
}

TEST(PcxDecoder, RefusesWhatItCannotShow) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        const char* error;
    };
    std::vector<std::uint8_t> inverted = pcxFile(5, 8, 1, 2, 1, 2, {0, 0}, vgaPalette());
    inverted[4] = 9;  // left edge 9, right edge 1
    const Case cases[] = {
        {"8 bits in 4 planes", pcxFile(5, 8, 4, 2, 1, 2, {0, 0, 0, 0, 0, 0, 0, 0}),
         "PCX kind not supported (bits per pixel and planes)"},
        {"1 bit in 4 planes", pcxFile(5, 1, 4, 8, 1, 1, {0, 0, 0, 0}),
         "PCX kind not supported (bits per pixel and planes)"},
        {"line shorter than the width", pcxFile(5, 8, 1, 8, 1, 4, {0, 0, 0, 0}, vgaPalette()),
         "PCX line shorter than its width"},
        {"palette missing", pcxFile(5, 8, 1, 2, 1, 2, {0, 0}), "PCX 256-colour palette missing"},
        {"window inverted", inverted, "PCX window is empty"},
    };
    for (const auto& c : cases) {
        const PictureResult result = decodePcx(c.file);
        EXPECT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(result.error, c.error) << c.name;
    }
}

}  // namespace
}  // namespace pexor
