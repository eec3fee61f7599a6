#include "icon/edit_icons.h"

#include <gtest/gtest.h>

#include "icon/cell_patch.h"
#include "icon/extraction.h"
#include "icon/templates.h"

namespace pexor {
namespace {

PixelBlock pattern(std::size_t n, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + seed);
    return PixelBlock(std::move(bytes));
}

const PixelBlock kPixels16 = pattern(768, 1);
const PixelBlock kPixels32 = pattern(3072, 2);

// What an extraction in each format puts in the output icon.
ByteBuffer extracted(IconFormat f) {
    using namespace iconTemplateOffsets;
    switch (f) {
        case IconFormat::Single16: return withPixels(template16(), kPixels, kPixels16);
        case IconFormat::Single32: return withPixels(template32(), kPixels, kPixels32);
        default:
            return withPixels(withPixels(templatePair(), kPairPixels16, kPixels16),
                              kPairPixels32, kPixels32);
    }
}

TEST(EditIcons, PrepareBuildsTheSizesOfTheFormatFromTheBlocks) {
    const EditIcons single = prepareEditIcons(IconFormat::Single32, kPixels16, kPixels32);
    EXPECT_FALSE(single.icon16);
    ASSERT_TRUE(single.icon32);
    EXPECT_EQ(*single.icon32, extracted(IconFormat::Single32));

    const EditIcons pair = prepareEditIcons(IconFormat::Pair, kPixels16, kPixels32);
    ASSERT_TRUE(pair.icon16 && pair.icon32);
    EXPECT_EQ(*pair.icon16, extracted(IconFormat::Single16));
    EXPECT_EQ(*pair.icon32, extracted(IconFormat::Single32));
}

TEST(EditIcons, CommitWithoutPaintingGivesBackTheExtractedIconInEveryFormat) {
    for (IconFormat f : {IconFormat::Single16, IconFormat::Single32, IconFormat::Pair}) {
        const EditIcons icons = prepareEditIcons(f, kPixels16, kPixels32);
        const ByteBuffer out = commitIconEdits(f, extracted(f), icons.icon16.value_or(ByteBuffer()),
                                               icons.icon32.value_or(ByteBuffer()));
        EXPECT_EQ(out, extracted(f)) << static_cast<int>(f);
    }
}

TEST(EditIcons, PairCommitKeepsTheDirectoryAndTakesBothEditedImages) {
    const EditIcons icons = prepareEditIcons(IconFormat::Pair, kPixels16, kPixels32);
    const ByteBuffer e16 = patchIconCell(*icons.icon16, 16, 1, 1, Pen::Transparent, 0);
    const ByteBuffer e32 = patchIconCell(*icons.icon32, 32, 32, 32, Pen::Palette, rgb(255, 0, 0));
    const ByteBuffer out = commitIconEdits(IconFormat::Pair, extracted(IconFormat::Pair), e16, e32);
    ASSERT_EQ(out.size(), 4150u);
    EXPECT_EQ(out.first(38), templatePair().first(38));
    EXPECT_EQ(out.mid(39, 872), e16.last(872));
    EXPECT_EQ(out.mid(911, 3240), e32.last(3240));
}

TEST(EditIcons, OneImageCommitTakesTheEditedFileWhole) {
    const ByteBuffer e16 = patchIconCell(extracted(IconFormat::Single16), 16, 1, 1,
                                         Pen::Transparent, 0);
    const ByteBuffer out = commitIconEdits(IconFormat::Single16, extracted(IconFormat::Single16),
                                           e16, ByteBuffer());
    EXPECT_EQ(out, e16);
    EXPECT_EQ(out.mid(783, 3), (ByteBuffer{0, 0, 0}));
    EXPECT_EQ(out.at(891) & 0x80, 0x80);
}

TEST(EditIcons, TheIconMustBeTheOneTheFormatMakes) {
    const struct {
        const char* name;
        IconFormat format;
        ByteBuffer icon;
        PixelBlock p16, p32;
        bool matches;
    } cases[] = {
        {"16 after 16", IconFormat::Single16, extracted(IconFormat::Single16), kPixels16, {}, true},
        {"pair after pair", IconFormat::Pair, extracted(IconFormat::Pair), kPixels16, kPixels32,
         true},
        {"pair after 16, blocks of both left", IconFormat::Pair, extracted(IconFormat::Single16),
         kPixels16, kPixels32, false},
        {"pair after 16, no 32 block", IconFormat::Pair, extracted(IconFormat::Single16),
         kPixels16, {}, false},
        {"32 after 16", IconFormat::Single32, extracted(IconFormat::Single16), kPixels16, {},
         false},
        {"16 after pair", IconFormat::Single16, extracted(IconFormat::Pair), kPixels16, kPixels32,
         false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(iconMatchesFormat(c.format, c.icon, c.p16, c.p32), c.matches) << c.name;
}

}  // namespace
}  // namespace pexor
