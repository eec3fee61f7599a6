// Replays the files kept in fuzz/regressions: inputs that once crashed, hung
// or overspent a reader, and hostile shapes the fuzz targets must keep
// refusing. Each goes through every reader the fuzz targets drive, and a
// picture that comes back must be as large as it says. A name beginning with
// "refused-" must be refused by the picture reader, one beginning with
// "shown-" must be shown.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "runtime/picture/bmp.h"
#include "runtime/picture/canvas.h"
#include "runtime/picture/decode.h"
#include "runtime/picture/gif.h"
#include "runtime/picture/ico.h"
#include "runtime/picture/jpeg.h"
#include "runtime/picture/pcx.h"
#include "runtime/surface.h"

namespace pexor {
namespace {

namespace fs = std::filesystem;

const fs::path kRegressions = fs::path(PEXOR_TEST_DATA) / ".." / ".." / "fuzz" / "regressions";

std::vector<fs::path> regressionFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kRegressions))
        if (entry.is_regular_file() && entry.path().extension() != ".md")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void expectSound(const PictureResult& result, const std::string& what) {
    if (!result.ok()) {
        EXPECT_FALSE(result.error.empty()) << what << ": a refusal names its fault";
        return;
    }
    const Picture& p = *result.picture;
    EXPECT_GT(p.width, 0) << what;
    EXPECT_GT(p.height, 0) << what;
    EXPECT_LE(std::int64_t(p.width) * p.height, kMaxPicturePixels) << what;
    EXPECT_EQ(p.pixels.size(), std::size_t(p.width) * std::size_t(p.height)) << what;
}

TEST(FuzzRegressions, EveryKeptInputIsRefusedOrShownSoundly) {
    const auto files = regressionFiles();
    ASSERT_FALSE(files.empty()) << "no files in " << kRegressions;
    for (const auto& path : files) {
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        const ByteBuffer bytes = readWholeFile(path.string());
        ASSERT_FALSE(bytes.empty());
        const auto span = bytes.span();

        const PictureResult whole = decodePicture(span);
        expectSound(whole, "decodePicture");
        if (name.starts_with("refused-")) EXPECT_FALSE(whole.ok()) << "shown, should be refused";
        if (name.starts_with("shown-")) EXPECT_TRUE(whole.ok()) << whole.error;
        const PictureResult reduced = decodePicture(span, DecodeHint{84, 84});
        expectSound(reduced, "decodePicture at 84x84");

        // Each decoder on its own, whatever the first bytes say.
        expectSound(decodeBmp(span), "decodeBmp");
        expectSound(decodeGif(span), "decodeGif");
        expectSound(decodeJpeg(span), "decodeJpeg");
        expectSound(decodeJpeg(span, DecodeHint{84, 84}), "decodeJpeg at 84x84");
        expectSound(decodePcx(span), "decodePcx");
        expectSound(decodeIco(span), "decodeIco");
        if (span.size() > 14) {
            const IconBitmap dib = decodeIconBitmap(span.subspan(14));
            if (dib.picture) {
                EXPECT_EQ(dib.picture->pixels.size(),
                          std::size_t(dib.picture->width) * std::size_t(dib.picture->height));
            } else {
                EXPECT_FALSE(dib.error.empty());
            }
        }

        // The extraction path: a preview's background picture stretched onto
        // both icon surfaces in both modes, and their snapshots.
        Surface preview(84, 84);
        preview.setBackgroundPicture(bytes);
        EXPECT_EQ(preview.backgroundIsPicture(), reduced.ok());
        Surface icon16(16, 16), icon32(32, 32);
        icon16.drawPicture(preview.decodedBackground().get(), 0, 0, 16, 16,
                           StretchMode::ColourOnColour);
        icon32.drawPicture(preview.decodedBackground().get(), 0, 0, 32, 32, StretchMode::Halftone);
        EXPECT_EQ(icon16.snapshot().size(), 54u + 16 * 48);
        EXPECT_EQ(icon32.snapshot().size(), 54u + 32 * 96);
    }
}

}  // namespace
}  // namespace pexor
