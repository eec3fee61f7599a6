#include <gtest/gtest.h>

#include <vector>

#include "runtime/picture/canvas.h"
#include "runtime/picture/checked.h"
#include "runtime/picture/decode.h"
#include "runtime/picture/reader.h"
#include "tests/runtime/picture/picture_testing.h"

namespace pexor {
namespace {

TEST(PictureLimits, CapsSidesAndPixelCount) {
    struct Case {
        std::int64_t width, height;
        bool allowed;
    };
    const Case cases[] = {
        {1, 1, true},         {65535, 1, true},        {65535, 1525, true},  // 99.9 megapixels
        {10000, 10000, true}, {10000, 10001, false},   {65536, 1, false},
        {1, 65536, false},    {100000, 100000, false}, {0, 10, false},
        {10, -1, false},
    };
    for (const auto& c : cases) {
        const std::string fault = pictureSizeFault("BMP", c.width, c.height);
        EXPECT_EQ(fault.empty(), c.allowed) << c.width << " x " << c.height << ": " << fault;
        if (!c.allowed) EXPECT_EQ(fault.rfind("BMP ", 0), 0u) << fault;
    }
}

TEST(PictureLimits, CheckedArithmeticReportsOverflow) {
    EXPECT_EQ(checkedAdd(1, 2), 3u);
    EXPECT_EQ(checkedAdd(UINT64_MAX, 1), std::nullopt);
    EXPECT_EQ(checkedMul(1u << 20, 1u << 20), std::uint64_t(1) << 40);
    EXPECT_EQ(checkedMul(UINT64_MAX / 2, 3), std::nullopt);
    EXPECT_EQ(checkedRowBytes(127, 24, 4), 384u);  // 381 bytes padded to 4
    EXPECT_EQ(checkedRowBytes(10, 1, 1), 2u);
    EXPECT_EQ(checkedRowBytes(UINT64_MAX / 4, 32, 4), std::nullopt);
}

TEST(ByteReader, FailsForGoodOnAShortRead) {
    const std::vector<std::uint8_t> bytes = {0x01, 0x02, 0x03, 0x04, 0x05};
    ByteReader in(bytes);
    EXPECT_EQ(in.le16(), 0x0201u);
    EXPECT_EQ(in.be32(), 0u) << "only three bytes left";
    EXPECT_FALSE(in.ok());
    EXPECT_EQ(in.u8(), 0u) << "stays failed";
    EXPECT_FALSE(in.ok());

    ByteReader again(bytes);
    EXPECT_EQ(again.le32(), 0x04030201u);
    EXPECT_TRUE(again.take(2).empty());
    EXPECT_FALSE(again.ok());

    ByteReader seeking(bytes);
    seeking.seek(4);
    EXPECT_EQ(seeking.u8(), 0x05u);
    EXPECT_TRUE(seeking.ok());
    EXPECT_TRUE(seeking.atEnd());
    seeking.seek(6);
    EXPECT_FALSE(seeking.ok());
    EXPECT_FALSE(ByteReader(bytes, 6).ok()) << "a start past the end";
}

void put16(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) {
    b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
}
void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF), put16(b, at + 2, v >> 16);
}
void put16be(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) {
    b[at] = std::uint8_t(v >> 8), b[at + 1] = std::uint8_t(v);
}

std::vector<std::uint8_t> corpus(const char* file) {
    return test::readPicture(file).vector();
}

struct HugeCase {
    const char* name;
    std::vector<std::uint8_t> file;
    const char* errorPart;
};

// Real files with their size fields raised: each is refused from its header,
// before anything the size of the claimed picture is allocated. GIF, PCX and
// JPEG headers cannot say more than 65535 on a side, so theirs claim the most
// they can.
TEST(PictureLimits, HugeClaimsAreRefusedFromTheHeader) {
    auto bmp = corpus("bmpsuite/g/pal8.bmp");
    put32(bmp, 18, 100000), put32(bmp, 22, 100000);  // width, height
    auto bmpRle = corpus("bmpsuite/g/pal8rle.bmp");
    put32(bmpRle, 18, 10000), put32(bmpRle, 22, 10000);  // under the cap, 9 KB of runs
    auto ico = corpus("ico/mozilla/ico-size-16x16-1bpp.ico");
    put32(ico, 22 + 4, 100000), put32(ico, 22 + 8, 200000);  // the bitmap's width and double height
    auto gif = corpus("gif/pygif/gif87a.gif");
    put16(gif, 6, 65535), put16(gif, 8, 65535);  // screen width and height
    auto gifSmall = corpus("gif/pillow/hopper.gif");
    put16(gifSmall, 6, 10000), put16(gifSmall, 8, 10000);  // under the cap, 15 KB of data
    auto pcx = corpus("pcx/kimageformats/indexed8.pcx");
    put16(pcx, 8, 65535), put16(pcx, 10, 65535);  // right and bottom edges
    auto pcxSmall = corpus("pcx/kimageformats/indexed8.pcx");
    put16(pcxSmall, 8, 9999), put16(pcxSmall, 10, 9999), put16(pcxSmall, 66, 10000);
    auto jpeg = corpus("jpeg/libjpeg-turbo/testorig.jpg");
    const std::size_t sof = 0x9E;  // the frame header's marker
    ASSERT_EQ(jpeg[sof], 0xFF);
    ASSERT_EQ(jpeg[sof + 1], 0xC0);
    auto jpegSmall = jpeg;
    put16be(jpeg, sof + 5, 65500), put16be(jpeg, sof + 7, 65500);  // height, width: libjpeg's most
    put16be(jpegSmall, sof + 5, 5000), put16be(jpegSmall, sof + 7, 20000);  // 5 KB of data

    const HugeCase cases[] = {
        {"BMP 100000 x 100000", bmp, "too large"},
        {"BMP run lengths 10000 x 10000", bmpRle, "too short"},
        {"ICO bitmap 100000 x 100000", ico, "too large"},
        {"GIF 65535 x 65535", gif, "too large"},
        {"GIF 10000 x 10000", gifSmall, "too short"},
        {"PCX 65536 x 65536", pcx, "too large"},
        {"PCX 10000 x 10000", pcxSmall, "too short"},
        {"JPEG 65500 x 65500", jpeg, "too large"},
        {"JPEG 20000 x 5000", jpegSmall, "too short"},
    };
    for (const auto& c : cases) {
        const PictureResult result = decodePicture(c.file);
        EXPECT_FALSE(result.ok()) << c.name;
        EXPECT_NE(result.error.find(c.errorPart), std::string::npos)
            << c.name << ": " << result.error;
    }
}

}  // namespace
}  // namespace pexor
