#include <gif_lib.h>

#include <gtest/gtest.h>

#include <vector>

#include "runtime/picture/decode.h"
#include "runtime/picture/gif.h"
#include "tests/runtime/picture/picture_testing.h"

namespace pexor {
namespace {

std::shared_ptr<const Picture> decodeFile(const std::string& file) {
    const PictureResult result = decodeGif(test::readPicture(file).span());
    EXPECT_TRUE(result.ok()) << file << ": " << result.error;
    return result.picture;
}

void expectOpaque(const Picture& picture) {
    EXPECT_FALSE(picture.hasTransparency);
    for (const std::uint32_t pixel : picture.pixels) ASSERT_EQ(pixel >> 24, 0xFFu);
}

struct ExpectedCase {
    const char* gif;       // under gif/pygif/
    const char* expected;  // under gif/pygif/expected/
    int width, height;
};

// The first frame against the suite's expected RGBA; pixels the suite leaves
// transparent are skipped, as GIFs are shown opaque here.
TEST(GifDecoder, FirstFramesMatchTheSuite) {
    const ExpectedCase cases[] = {
        {"gif87a.gif", "white-dot.rgba", 1, 1},
        {"gif87a-animation.gif", "animation.0.rgba", 2, 2},
        {"animation.gif", "animation.0.rgba", 2, 2},
        {"interlace.gif", "all-reds.rgba", 16, 16},
        {"local-color-table.gif", "white-dot.rgba", 1, 1},
        {"no-global-color-table.gif", "white-dot.rgba", 1, 1},
        {"depth1.gif", "white-dot.rgba", 1, 1},
        {"depth8.gif", "white-dot.rgba", 1, 1},
        {"transparent.gif", "four-colors-transparent.rgba", 2, 2},
        {"disabled-transparent.gif", "four-colors.rgba", 2, 2},
        {"invalid-transparent.gif", "four-colors.rgba", 2, 2},
        {"extra-pixels.gif", "white-dot.rgba", 1, 1},
        {"no-clear-and-eoi.gif", "white-hline2.rgba", 2, 1},
        {"many-clears.gif", "checkerboard.rgba", 8, 8},
        {"4095-codes.gif", "random-image.rgba", 100, 100},
        {"4095-codes-clear.gif", "random-image.rgba", 100, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gif);
        const auto picture = decodeFile(std::string("gif/pygif/") + c.gif);
        ASSERT_TRUE(picture);
        expectOpaque(*picture);
        EXPECT_TRUE(test::matchesReference(
            *picture,
            test::readRgba(std::string("gif/pygif/expected/") + c.expected, c.width, c.height)));
    }
}

// Interlaced photos against their upstream renderings.
TEST(GifDecoder, InterlacedFramesMatchTheirReferences) {
    const std::pair<const char*, const char*> cases[] = {
        {"gif/image-rs/anim_interlaced.gif", "gif/image-rs/reference/anim_interlaced.gif.png"},
        {"gif/peterdn/animated_loop_interlaced.gif",
         "gif/peterdn/reference/animated_loop_interlaced-0.png"},
    };
    for (const auto& [gif, reference] : cases) {
        SCOPED_TRACE(gif);
        const auto picture = decodeFile(gif);
        ASSERT_TRUE(picture);
        EXPECT_TRUE(test::matchesReference(*picture, test::readReference(reference)));
    }
}

TEST(GifDecoder, ShowsTheFirstImageOnlyOverTheBackground) {
    // Four 16 x 16 images tile a 32 x 32 screen; only the top-left one is drawn.
    const auto quadrants = decodeFile("gif/pygif/high-color.gif");
    ASSERT_TRUE(quadrants);
    const QImage all = test::readRgba("gif/pygif/expected/high-color.rgba", 32, 32);
    EXPECT_FALSE(test::matchesReference(*quadrants, all));
    Picture topLeft{16, 16, {}, false};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) topLeft.pixels.push_back(quadrants->pixels[y * 32 + x]);
    }
    EXPECT_TRUE(test::matchesReference(topLeft, all.copy(0, 0, 16, 16)));
    EXPECT_EQ(quadrants->pixels[31 * 32 + 31], 0xFF000000u) << "background index 0 is black";

    // A frame wholly off the 2 x 2 screen leaves the white background.
    const auto outside = decodeFile("gif/pygif/image-outside-bg.gif");
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->pixels, std::vector<std::uint32_t>(4, 0xFFFFFFFFu));

    // A transparent first frame is shown opaque.
    const auto transparent = decodeFile("gif/pillow/first_frame_transparency.gif");
    ASSERT_TRUE(transparent);
    expectOpaque(*transparent);

    // A colour index past the 2-entry table is black, not a read past it.
    const auto badIndex = decodeFile("gif/pygif/invalid-colors.gif");
    ASSERT_TRUE(badIndex);
    EXPECT_EQ(badIndex->pixels, std::vector<std::uint32_t>{0xFF000000u});
}

// Hand-made GIFs, written with giflib's encoder.
struct Frame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    std::vector<std::uint8_t> indices;  // row by row, top to bottom
};

int appendBytes(GifFileType* gif, const GifByteType* bytes, int n) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + n);
    return n;
}

// Colours are 0xRRGGBB, a power of two of them or none at all.
std::vector<std::uint8_t> makeGif(int screenWidth, int screenHeight, int background,
                                  const std::vector<std::uint32_t>& globalColours,
                                  const Frame& frame,
                                  const std::vector<std::uint32_t>& localColours = {}) {
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendBytes, &error);
    auto mapOf = [](const std::vector<std::uint32_t>& colours) -> ColorMapObject* {
        if (colours.empty()) return nullptr;
        std::vector<GifColorType> entries;
        for (const std::uint32_t c : colours) {
            entries.push_back({GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)});
        }
        return GifMakeMapObject(int(entries.size()), entries.data());
    };
    ColorMapObject* global = mapOf(globalColours);
    ColorMapObject* local = mapOf(localColours);
    // The encoder wants the frame inside the screen; a smaller screen is
    // patched into the header afterwards.
    EXPECT_EQ(
        EGifPutScreenDesc(gif, std::max(screenWidth, frame.left + frame.width),
                          std::max(screenHeight, frame.top + frame.height), 8, background, global),
        GIF_OK);
    EXPECT_EQ(EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height,
                               frame.interlaced, local),
              GIF_OK);
    std::vector<int> rows;
    if (frame.interlaced) {
        for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
            for (int row = start; row < frame.height; row += step) rows.push_back(row);
        }
    } else {
        for (int row = 0; row < frame.height; ++row) rows.push_back(row);
    }
    for (const int row : rows) {
        std::vector<GifPixelType> line(frame.indices.begin() + row * frame.width,
                                       frame.indices.begin() + (row + 1) * frame.width);
        EXPECT_EQ(EGifPutLine(gif, line.data(), frame.width), GIF_OK);
    }
    EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    GifFreeMapObject(global);
    GifFreeMapObject(local);
    out[6] = std::uint8_t(screenWidth);
    out[7] = std::uint8_t(screenWidth >> 8);
    out[8] = std::uint8_t(screenHeight);
    out[9] = std::uint8_t(screenHeight >> 8);
    return out;
}

constexpr std::uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu, kRed = 0xFFFF0000u,
                        kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

TEST(GifDecoder, ClipsTheFrameToTheScreen) {
    // A 3 x 2 frame at (2, 1) on a 4 x 2 screen: only its top-left 2 x 1
    // corner lands on the screen; the rest of the screen is background.
    Frame frame{2, 1, 3, 2, false, {1, 2, 3, 3, 3, 3}};
    const auto gif = makeGif(4, 2, 0, {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF}, frame);
    const PictureResult result = decodeGif(gif);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.picture->width, 4);
    EXPECT_EQ(result.picture->height, 2);
    const std::vector<std::uint32_t> expected = {kWhite, kWhite, kWhite, kWhite,
                                                 kWhite, kWhite, kRed,   kGreen};
    EXPECT_EQ(result.picture->pixels, expected);
}

TEST(GifDecoder, PutsInterlacedRowsInPlace) {
    // Ten rows, row r of colour r % 4, sent in interlaced order.
    Frame frame{0, 0, 1, 10, true, {0, 1, 2, 3, 0, 1, 2, 3, 0, 1}};
    const auto gif = makeGif(1, 10, 0, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, frame);
    const PictureResult result = decodeGif(gif);
    ASSERT_TRUE(result.ok()) << result.error;
    const std::vector<std::uint32_t> expected = {kBlack, kRed,   kGreen, kBlue,  kBlack,
                                                 kRed,   kGreen, kBlue,  kBlack, kRed};
    EXPECT_EQ(result.picture->pixels, expected);
}

TEST(GifDecoder, TakesColoursFromTheRightTable) {
    Frame frame{1, 0, 1, 1, false, {1}};
    struct Case {
        const char* name;
        std::vector<std::uint32_t> global, local;
        std::vector<std::uint32_t> expected;  // background, then the frame's pixel
    };
    const Case cases[] = {
        {"global table", {0x00FF00, 0xFF0000}, {}, {kGreen, kRed}},
        {"local table wins", {0x00FF00, 0xFF0000}, {0xFFFFFF, 0x0000FF}, {kGreen, kBlue}},
        {"no global table: black background", {}, {0xFFFFFF, 0x0000FF}, {kBlack, kBlue}},
    };
    for (const auto& c : cases) {
        const auto gif = makeGif(2, 1, 0, c.global, frame, c.local);
        const PictureResult result = decodeGif(gif);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.error;
        EXPECT_EQ(result.picture->pixels, c.expected) << c.name;
    }
}

// A file cut short keeps the rows that decoded; the rest is background.
TEST(GifDecoder, TruncatedFileKeepsWhatDecoded) {
    const ByteBuffer whole = test::readPicture("gif/pillow/hopper.gif");
    const PictureResult full = decodeGif(whole.span());
    const PictureResult cut = decodeGif(whole.span().first(whole.size() / 2));
    ASSERT_TRUE(full.ok());
    ASSERT_TRUE(cut.ok()) << cut.error;
    const std::size_t width = std::size_t(full.picture->width);
    const std::size_t rowsKept = 32;
    EXPECT_TRUE(std::equal(full.picture->pixels.begin(),
                           full.picture->pixels.begin() + rowsKept * width,
                           cut.picture->pixels.begin()));
    EXPECT_NE(full.picture->pixels.back(), cut.picture->pixels.back());

    // Files that end right after their last pixel codes, without the empty
    // block and trailer that close them, lose nothing.
    for (const char* file : {"gif/pygif/gif87a.gif", "gif/pygif/many-clears.gif"}) {
        const ByteBuffer bytes = test::readPicture(file);
        const PictureResult complete = decodeGif(bytes.span());
        const PictureResult open = decodeGif(bytes.span().first(bytes.size() - 2));
        ASSERT_TRUE(open.ok()) << file << ": " << open.error;
        EXPECT_EQ(open.picture->pixels, complete.picture->pixels) << file;
    }
}

TEST(GifDecoder, RefusesWhatHoldsNoImage) {
    const char* files[] = {
        "gif/pygif/zero-size.gif",           // 0 x 0 screen
        "gif/pygif/no-data.gif",             // no image block
        "gif/image-rs/zero-loop-count.gif",  // header cut short
        "gif/gdk-pixbuf/bug778584.gif",      // not a GIF at all
    };
    for (const char* file : files) {
        const PictureResult result = decodeGif(test::readPicture(file).span());
        EXPECT_FALSE(result.ok()) << file;
        EXPECT_NE(result.error.find("GIF"), std::string::npos) << file << ": " << result.error;
    }
}

}  // namespace
}  // namespace pexor
