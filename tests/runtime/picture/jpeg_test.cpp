#include <QTransform>

#include <gtest/gtest.h>

#include "runtime/picture/decode.h"
#include "runtime/picture/jpeg.h"
#include "tests/runtime/picture/picture_testing.h"

namespace pexor {
namespace {

std::shared_ptr<const Picture> decodeFile(const std::string& file, DecodeHint hint = {}) {
    const PictureResult result = decodeJpeg(test::readPicture(file).span(), hint);
    EXPECT_TRUE(result.ok()) << file << ": " << result.error;
    return result.picture;
}

QImage greyOf(const QImage& image) {
    return image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
}

struct SceneCase {
    const char* name;
    const char* file;
    QImage reference;  // another encoding of the same scene
    double mostMeanDifference;
};

// JPEG is lossy and libjpeg versions round differently, so each kind is
// compared with another file of the same scene by mean difference per
// channel. The bounds sit well below what a wrong decode gives (a colour
// swap or uninverted CMYK differs by 50 or more).
TEST(JpegDecoder, EachKindDecodesToItsScene) {
    const SceneCase cases[] = {
        {"CMYK (Adobe YCCK) against the RGB sample", "jpeg/pillow/pil_sample_cmyk.jpg",
         test::readReference("jpeg/pillow/pil_sample_rgb.jpg"), 8},
        {"greyscale against the grey of the GIF hopper", "jpeg/pillow/hopper_gray.jpg",
         greyOf(test::readReference("gif/pillow/hopper.gif")), 6},
        {"progressive against the baseline 4:2:2 file", "jpeg/sail/bpp24-ycbcr.progressive.jpeg",
         test::readReference("jpeg/sail/bpp24-ycbcr.422.jpeg"), 5},
        {"arithmetic-coded against the Huffman original", "jpeg/libjpeg-turbo/testimgari.jpg",
         test::readReference("jpeg/libjpeg-turbo/testorig.jpg"), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto picture = decodeFile(c.file);
        ASSERT_TRUE(picture);
        const double difference = test::meanDifference(*picture, c.reference);
        EXPECT_GE(difference, 0) << "size differs";
        EXPECT_LE(difference, c.mostMeanDifference);
    }
    // The greyscale file comes out grey.
    const auto grey = decodeFile("jpeg/pillow/hopper_gray.jpg");
    for (const std::uint32_t pixel : grey->pixels) {
        ASSERT_EQ(pixel & 0xFF, pixel >> 8 & 0xFF);
        ASSERT_EQ(pixel & 0xFF, pixel >> 16 & 0xFF);
        ASSERT_EQ(pixel >> 24, 0xFFu);
    }
}

// A JPEG rotated 90 degrees keeps its pixels as stored: compared upright with
// hopper it is far off, compared lying down it is close.
TEST(JpegDecoder, IgnoresExifOrientation) {
    const auto stored = decodeFile("jpeg/pillow/hopper_orientation_6.jpg");
    ASSERT_TRUE(stored);
    const QImage storedGrey = greyOf(test::imageOf(*stored));
    const QImage hopper = greyOf(test::readReference("gif/pillow/hopper.gif"));
    const QImage lyingDown = hopper.transformed(QTransform().rotate(-90));
    EXPECT_LT(test::meanDifference(storedGrey, lyingDown), 6);
    EXPECT_GT(test::meanDifference(storedGrey, hopper), 30);
    const auto rectangle = decodeFile("jpeg/pillow/orientation_rectangle.jpg");
    EXPECT_EQ(rectangle->width, 2);
    EXPECT_EQ(rectangle->height, 1);
}

// A file cut short shows the rows it holds; libjpeg fills the rest.
TEST(JpegDecoder, TruncatedFileShowsWhatDecoded) {
    const ByteBuffer whole = test::readPicture("jpeg/libjpeg-turbo/testorig.jpg");
    const auto full = decodeJpeg(whole.span());
    ASSERT_TRUE(full.ok());
    const PictureResult half = decodeJpeg(whole.span().first(whole.size() / 2));
    ASSERT_TRUE(half.ok()) << half.error;
    ASSERT_EQ(half.picture->width, full.picture->width);
    ASSERT_EQ(half.picture->height, full.picture->height);
    const std::size_t rowsKept = 48;  // the cut falls well below this row
    const std::size_t width = std::size_t(full.picture->width);
    EXPECT_TRUE(std::equal(full.picture->pixels.begin(),
                           full.picture->pixels.begin() + rowsKept * width,
                           half.picture->pixels.begin()));
    EXPECT_NE(full.picture->pixels.back(), half.picture->pixels.back());

    // A progressive file cut late still shows the whole scene, blurred.
    const ByteBuffer cat = test::readPicture("jpeg/image-rs/progressive_cat.jpg");
    const auto catFull = decodeJpeg(cat.span());
    const auto catCut = decodeJpeg(cat.span().first(cat.size() * 7 / 10));
    ASSERT_TRUE(catFull.ok());
    ASSERT_TRUE(catCut.ok()) << catCut.error;
    EXPECT_LT(test::meanDifference(*catCut.picture, test::imageOf(*catFull.picture)), 6);
    EXPECT_NE(catCut.picture->pixels, catFull.picture->pixels);

    // The corpus's own truncated progressive file and a file that ends inside
    // its tables.
    EXPECT_TRUE(decodeJpeg(test::readPicture("jpeg/pillow/truncated_jpeg.jpg").span()).ok());
    const PictureResult noImage = decodeJpeg(test::readPicture("jpeg/sail/truncated.jpg").span());
    EXPECT_FALSE(noImage.ok());
    EXPECT_NE(noImage.error.find("JPEG"), std::string::npos) << noImage.error;
}

struct HintCase {
    const char* file;
    DecodeHint hint;
    int width, height;  // what libjpeg's smallest fitting M/8 scale gives
};

// With a hint, the picture is the smallest libjpeg scale that still has at
// least four pixels for each pixel of the hint, and shows the same scene.
TEST(JpegDecoder, HintPicksTheSmallestScaleFourTimesTheHint) {
    const HintCase cases[] = {
        {"jpeg/image-rs/progressive_cat.jpg", {16, 16}, 120, 90},     // 3/8: 60 rows is under 64
        {"jpeg/image-rs/progressive_cat.jpg", {10, 0}, 40, 30},       // 1/8, width alone bounded
        {"jpeg/image-rs/progressive_cat.jpg", {0, 20}, 120, 90},      // height alone bounded
        {"jpeg/image-rs/progressive_cat.jpg", {48, 48}, 280, 210},    // 6/8: 180 rows < 192
        {"jpeg/image-rs/progressive_cat.jpg", {200, 200}, 320, 240},  // never above full size
        {"jpeg/libjpeg-turbo/testorig.jpg", {32, 32}, 199, 131},      // 7/8, rounded up
        {"jpeg/pillow/pil_sample_cmyk.jpg", {4, 4}, 25, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " hint " + std::to_string(c.hint.maxWidth) + " x " +
                     std::to_string(c.hint.maxHeight));
        const auto scaled = decodeFile(c.file, c.hint);
        ASSERT_TRUE(scaled);
        EXPECT_EQ(scaled->width, c.width);
        EXPECT_EQ(scaled->height, c.height);
        const auto full = decodeFile(c.file);
        ASSERT_TRUE(full);
        if (scaled->width < full->width) {
            EXPECT_GE(scaled->width, 4 * c.hint.maxWidth);
            EXPECT_GE(scaled->height, 4 * c.hint.maxHeight);
        }
        const QImage shrunk = test::imageOf(*full).scaled(
            scaled->width, scaled->height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(test::meanDifference(*scaled, shrunk), 12);
    }
    // The entry point passes the hint on.
    const ByteBuffer cat = test::readPicture("jpeg/image-rs/progressive_cat.jpg");
    const PictureResult viaEntry = decodePicture(cat.span(), {16, 16});
    ASSERT_TRUE(viaEntry.ok());
    EXPECT_EQ(viaEntry.picture->width, 120);
}

}  // namespace
}  // namespace pexor
