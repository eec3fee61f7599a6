#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>

#include "runtime/picture/decode.h"
#include "tests/runtime/picture/picture_testing.h"
#include "tests/support/test_data.h"

namespace pexor {
namespace {

namespace fs = std::filesystem;

struct Tally {
    int decoded = 0;
    int refused = 0;
};

// Every file of the picture corpus, pictures and everything beside them
// (references, expected data, READMEs), goes through the one entry point:
// each must come back as a sound picture or as an error, never a crash.
TEST(PictureCorpus, EveryFileDecodesOrIsRefused) {
    const fs::path root = test::dataPath("pictures");
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GT(files.size(), 300u);

    // PEXOR_PICTURE_LOG=1 prints each file's outcome and a tally per folder.
    const bool logging = std::getenv("PEXOR_PICTURE_LOG") != nullptr;
    std::map<std::string, Tally> tally;
    for (const auto& path : files) {
        const std::string relative = fs::relative(path, root).generic_string();
        const ByteBuffer bytes = test::readPicture(relative);
        const PictureResult result = decodePicture(bytes.span());
        const std::string folder = fs::path(relative).parent_path().generic_string();
        if (result.ok()) {
            ++tally[folder].decoded;
            const Picture& p = *result.picture;
            EXPECT_GT(p.width, 0) << relative;
            EXPECT_GT(p.height, 0) << relative;
            EXPECT_EQ(p.pixels.size(), std::size_t(p.width) * std::size_t(p.height)) << relative;
            EXPECT_TRUE(result.error.empty()) << relative;
        } else {
            ++tally[folder].refused;
            EXPECT_FALSE(result.error.empty()) << relative;
        }
        if (logging) {
            std::cout << relative << ": "
                      << (result.ok() ? std::to_string(result.picture->width) + " x " +
                                            std::to_string(result.picture->height)
                                      : result.error)
                      << "\n";
        }
    }
    for (const auto& [folder, t] : tally) {
        if (!logging) break;
        std::cout << folder << ": " << t.decoded << " decoded, " << t.refused << " refused\n";
    }
}

// Files whose outcome is certain: the good BMPs, and the files that are not
// pictures of ours at all.
TEST(PictureCorpus, KnownFilesHaveTheirOutcome) {
    const fs::path root = test::dataPath("pictures");
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const std::string relative = fs::relative(entry.path(), root).generic_string();
        const std::string ext = entry.path().extension().string();
        const bool good = relative.starts_with("bmpsuite/g/");
        const bool foreign = ext == ".png" || ext == ".rgba" || ext == ".md" || ext == ".conf" ||
                             ext == ".txt" || ext == ".html" || ext == ".dcx";
        if (!good && !foreign) continue;
        const PictureResult result = decodePicture(test::readPicture(relative).span());
        EXPECT_EQ(result.ok(), good) << relative << ": " << result.error;
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace pexor
