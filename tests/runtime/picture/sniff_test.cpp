#include <gtest/gtest.h>

#include <vector>

#include "runtime/picture/decode.h"
#include "runtime/picture/sniff.h"

namespace pexor {
namespace {

struct SniffCase {
    const char* name;
    std::vector<std::uint8_t> head;
    PictureFormat format;
};

// Six bytes decide; what follows them is never looked at.
TEST(SniffPicture, KnowsEachFormatByItsFirstSixBytes) {
    const SniffCase cases[] = {
        {"BMP", {'B', 'M', 0x36, 0x10, 0, 0}, PictureFormat::Bmp},
        {"BMP of any size field", {'B', 'M', 0xFF, 0xFF, 0xFF, 0xFF}, PictureFormat::Bmp},
        {"OS/2 bitmap array", {'B', 'A', 0x36, 0x10, 0, 0}, PictureFormat::None},
        {"JPEG", {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10}, PictureFormat::Jpeg},
        {"JPEG without its second marker", {0xFF, 0xD8, 0, 0, 0, 0}, PictureFormat::Jpeg},
        {"ICO with one image", {0, 0, 1, 0, 1, 0}, PictureFormat::Ico},
        {"ICO with 256 images", {0, 0, 1, 0, 0, 1}, PictureFormat::Ico},
        {"ICO with no image", {0, 0, 1, 0, 0, 0}, PictureFormat::None},
        {"CUR with one image", {0, 0, 2, 0, 1, 0}, PictureFormat::Cur},
        {"CUR with no image", {0, 0, 2, 0, 0, 0}, PictureFormat::None},
        {"icon-like type 3", {0, 0, 3, 0, 1, 0}, PictureFormat::None},
        {"icon with reserved word set", {1, 0, 1, 0, 1, 0}, PictureFormat::None},
        {"GIF87a", {'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::Gif},
        {"GIF89a", {'G', 'I', 'F', '8', '9', 'a'}, PictureFormat::Gif},
        {"GIF86a", {'G', 'I', 'F', '8', '6', 'a'}, PictureFormat::None},
        {"GIF89b", {'G', 'I', 'F', '8', '9', 'b'}, PictureFormat::None},
        {"PCX version 5, 8 bits", {0x0A, 5, 1, 8, 0, 0}, PictureFormat::Pcx},
        {"PCX version 0, 8 bits", {0x0A, 0, 1, 8, 0, 0}, PictureFormat::Pcx},
        {"PCX version 6, 8 bits", {0x0A, 6, 1, 8, 0, 0}, PictureFormat::None},
        {"PCX 8 bits, not run-length", {0x0A, 5, 0, 8, 0, 0}, PictureFormat::None},
        {"PCX version 3, 1 bit", {0x0A, 3, 1, 1, 0, 0}, PictureFormat::Pcx},
        {"PCX version 5, 1 bit", {0x0A, 5, 1, 1, 0, 0}, PictureFormat::None},
        {"PCX version 3, 4 bits", {0x0A, 3, 1, 4, 0, 0}, PictureFormat::None},
        {"PCX version 3, 2 bits", {0x0A, 3, 1, 2, 0, 0}, PictureFormat::None},
        {"PNG", {0x89, 'P', 'N', 'G', '\r', '\n'}, PictureFormat::None},
        {"TIFF little-endian", {'I', 'I', 42, 0, 8, 0}, PictureFormat::None},
        {"TIFF big-endian", {'M', 'M', 0, 42, 0, 0}, PictureFormat::None},
        {"DCX", {0xB1, 0x68, 0xDE, 0x3A, 0, 0}, PictureFormat::None},
        {"5-byte BMP", {'B', 'M', 0, 0, 0}, PictureFormat::None},
        {"5-byte GIF", {'G', 'I', 'F', '8', '9'}, PictureFormat::None},
        {"empty", {}, PictureFormat::None},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(pictureFormatName(sniffPicture(c.head)), pictureFormatName(c.format))
            << c.name;
    }
}

TEST(SniffPicture, LooksNoFurtherThanSixBytes) {
    std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
    gif.resize(4096, 0xEE);
    EXPECT_EQ(sniffPicture(gif), PictureFormat::Gif);
    std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o', ' ', 'G', 'I', 'F', '8', '9', 'a'};
    EXPECT_EQ(sniffPicture(text), PictureFormat::None);
}

TEST(SniffPicture, DecodingWhatIsNoPictureIsAnError) {
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const PictureResult result = decodePicture(png);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.empty());
}

}  // namespace
}  // namespace pexor
