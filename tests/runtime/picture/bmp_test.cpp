#include <gtest/gtest.h>

#include "runtime/picture/bmp.h"
#include "tests/runtime/picture/picture_testing.h"

namespace pexor {
namespace {

struct ReferenceCase {
    const char* file;       // under bmpsuite/
    const char* reference;  // under bmpsuite/html/
    int tolerance;          // per channel; 1 where bit fields are scaled to 8 bits
};

void expectMatches(const ReferenceCase& c) {
    SCOPED_TRACE(c.file);
    const PictureResult result =
        decodeBmp(test::readPicture(std::string("bmpsuite/") + c.file).span());
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_FALSE(result.picture->hasTransparency);
    EXPECT_TRUE(test::matchesReference(
        *result.picture, test::readReference(std::string("bmpsuite/html/") + c.reference),
        {.tolerance = c.tolerance}));
    for (const std::uint32_t pixel : result.picture->pixels) {
        ASSERT_EQ(pixel >> 24, 0xFFu) << "BMPs are shown opaque";
    }
}

// Every file of the good set, against the rendering bmpsuite gives for it.
TEST(BmpDecoder, GoodFilesMatchTheirReferences) {
    const ReferenceCase cases[] = {
        {"g/pal1.bmp", "pal1.png", 0},
        {"g/pal1wb.bmp", "pal1.png", 0},
        {"g/pal1bg.bmp", "pal1bg.png", 0},
        {"g/pal4.bmp", "pal4.png", 0},
        {"g/pal4gs.bmp", "pal4gs.png", 0},
        {"g/pal4rle.bmp", "pal4.png", 0},
        {"g/pal8.bmp", "pal8.png", 0},
        {"g/pal8-0.bmp", "pal8.png", 0},
        {"g/pal8gs.bmp", "pal8gs.png", 0},
        {"g/pal8rle.bmp", "pal8.png", 0},
        {"g/pal8w126.bmp", "pal8w126.png", 0},
        {"g/pal8w125.bmp", "pal8w125.png", 0},
        {"g/pal8w124.bmp", "pal8w124.png", 0},
        {"g/pal8topdown.bmp", "pal8.png", 0},
        {"g/pal8nonsquare.bmp", "pal8nonsquare-e.png", 0},  // shown as stored, not stretched
        {"g/pal8os2.bmp", "pal8.png", 0},
        {"g/pal8v4.bmp", "pal8.png", 0},
        {"g/pal8v5.bmp", "pal8.png", 0},
        {"g/rgb16.bmp", "rgb16.png", 1},
        {"g/rgb16bfdef.bmp", "rgb16.png", 1},
        {"g/rgb16-565.bmp", "rgb16-565.png", 1},
        {"g/rgb16-565pal.bmp", "rgb16-565.png", 1},
        {"g/rgb24.bmp", "rgb24.png", 0},
        {"g/rgb24pal.bmp", "rgb24.png", 0},
        {"g/rgb32.bmp", "rgb24.png", 0},
        {"g/rgb32bfdef.bmp", "rgb24.png", 0},
        {"g/rgb32bf.bmp", "rgb24.png", 0},
    };
    for (const auto& c : cases) expectMatches(c);
}

// The questionable files a reasonable decoder shows, with the reference's
// colours (alpha channels are not shown: the colour underneath is).
TEST(BmpDecoder, QuestionableFilesItShowsMatchTheirReferences) {
    const ReferenceCase cases[] = {
        {"q/pal1p1.bmp", "pal1p1.png", 0},
        {"q/pal2.bmp", "pal2.png", 0},
        {"q/pal2color.bmp", "pal2color.png", 0},
        {"q/pal8offs.bmp", "pal8.png", 0},
        {"q/pal8oversizepal.bmp", "pal8.png", 0},
        {"q/pal8os2-sz.bmp", "pal8.png", 0},
        {"q/pal8os2-hs.bmp", "pal8.png", 0},
        {"q/pal8os2sp.bmp", "pal8.png", 0},
        {"q/pal8os2v2.bmp", "pal8.png", 0},
        {"q/pal8os2v2-16.bmp", "pal8.png", 0},
        {"q/pal8os2v2-sz.bmp", "pal8.png", 0},
        {"q/pal8os2v2-40sz.bmp", "pal8.png", 0},
        {"q/pal4rletrns.bmp", "pal4rletrns-b.png", 0},  // skipped pixels black
        {"q/pal8rletrns.bmp", "pal8rletrns-b.png", 0},
        {"q/pal4rlecut.bmp", "pal4rlecut-b.png", 0},
        {"q/pal8rlecut.bmp", "pal8rlecut-b.png", 0},
        {"q/rgb24rle24.bmp", "pal8.png", 0},
        {"q/rgb16faketrns.bmp", "rgb16.png", 1},
        {"q/rgb16-231.bmp", "rgb16-231.png", 1},
        {"q/rgb16-3103.bmp", "rgb16-3103.png", 1},
        {"q/rgba16-4444.bmp", "rgba16-4444.png", 1},
        {"q/rgba16-5551.bmp", "rgba16-5551.png", 1},
        {"q/rgba16-1924.bmp", "rgba16-1924.png", 1},
        {"q/rgb24largepal.bmp", "rgb24.png", 0},
        {"q/rgb24prof.bmp", "rgb24.png", 0},
        {"q/rgb24lprof.bmp", "rgb24.png", 0},
        {"q/rgb32h52.bmp", "rgb24.png", 0},
        {"q/rgb32-xbgr.bmp", "rgb24.png", 0},
        {"q/rgb32fakealpha.bmp", "rgb24.png", 0},
        {"q/rgb32-111110.bmp", "rgb24.png", 1},
        {"q/rgb32-7187.bmp", "rgb32-7187.png", 1},
        {"q/rgba32-1.bmp", "rgba32.png", 0},
        {"q/rgba32-2.bmp", "rgba32.png", 0},
        {"q/rgba32-1010102.bmp", "rgba32-1010102.png", 1},
        {"q/rgba32-81284.bmp", "rgba32-81284.png", 1},
        {"q/rgba32-61754.bmp", "rgba32-61754.png", 1},
        {"q/rgba32abf.bmp", "rgba32.png", 0},
        {"q/rgba32h56.bmp", "rgba32.png", 0},
        {"b/rgb16-880.bmp", "rgb16-880.png", 1},
    };
    for (const auto& c : cases) expectMatches(c);
}

}  // namespace
}  // namespace pexor
