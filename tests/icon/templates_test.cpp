#include "icon/templates.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <set>

namespace pexor {
namespace {

// An independent reading of the header fields, by 0-based file offset.
std::uint32_t le(const ByteBuffer& b, std::size_t offset, int size) {
    return size == 1 ? b.at(offset + 1) : size == 2 ? b.readLe16(offset + 1) : b.readLe32(offset + 1);
}

struct Field {
    const char* name;
    std::size_t offset;
    int size;
    std::uint32_t value;
};

// Checks the listed fields and that every byte outside them is zero.
void expectFields(const ByteBuffer& file, const std::vector<Field>& fields) {
    std::set<std::size_t> covered;
    for (const Field& f : fields) {
        EXPECT_EQ(le(file, f.offset, f.size), f.value) << f.name << " at " << f.offset;
        for (int i = 0; i < f.size; ++i) covered.insert(f.offset + i);
    }
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (!covered.count(i)) {
            EXPECT_EQ(file.at(i + 1), 0) << "byte at offset " << i;
        }
    }
}

std::vector<Field> directory(std::uint16_t count) {
    return {{"reserved", 0, 2, 0}, {"type", 2, 2, 1}, {"count", 4, 2, count}};
}

void addEntry(std::vector<Field>& f, std::size_t at, std::uint8_t size, std::uint32_t bytes,
              std::uint32_t offset) {
    f.push_back({"entry width", at, 1, size});
    f.push_back({"entry height", at + 1, 1, size});
    f.push_back({"colour count", at + 2, 1, 0});
    f.push_back({"entry reserved", at + 3, 1, 0});
    f.push_back({"planes stored as 0", at + 4, 2, 0});
    f.push_back({"bit count stored as 0", at + 6, 2, 0});
    f.push_back({"bytes in resource", at + 8, 4, bytes});
    f.push_back({"image offset", at + 12, 4, offset});
}

void addInfoHeader(std::vector<Field>& f, std::size_t at, std::uint32_t size,
                   std::uint32_t sizeImage) {
    f.push_back({"biSize", at, 4, 40});
    f.push_back({"biWidth", at + 4, 4, size});
    f.push_back({"biHeight (XOR and AND)", at + 8, 4, size * 2});
    f.push_back({"biPlanes", at + 12, 2, 1});
    f.push_back({"biBitCount", at + 14, 2, 24});
    f.push_back({"biCompression", at + 16, 4, 0});
    f.push_back({"biSizeImage", at + 20, 4, sizeImage});
}

TEST(IconTemplates, Template16HeadersFieldByFieldAndZerosElsewhere) {
    const ByteBuffer t = template16();
    ASSERT_EQ(t.size(), 894u);
    auto fields = directory(1);
    addEntry(fields, 6, 16, 872, 22);
    addInfoHeader(fields, 22, 16, 832);
    expectFields(t, fields);
}

TEST(IconTemplates, Template32HeadersFieldByFieldAndZerosElsewhere) {
    const ByteBuffer t = template32();
    ASSERT_EQ(t.size(), 3262u);
    auto fields = directory(1);
    addEntry(fields, 6, 32, 3240, 22);
    addInfoHeader(fields, 22, 32, 3200);
    expectFields(t, fields);
}

TEST(IconTemplates, PairImagesFollowEachOtherAndTheFileEndsAfterTheLastMask) {
    const ByteBuffer t = templatePair();
    ASSERT_EQ(t.size(), 4150u);
    auto fields = directory(2);
    addEntry(fields, 6, 16, 872, 38);
    addEntry(fields, 22, 32, 3240, 910);
    addInfoHeader(fields, 38, 16, 832);
    addInfoHeader(fields, 910, 32, 3200);
    expectFields(t, fields);
    EXPECT_EQ(38u + 872u, 910u);
    EXPECT_EQ(910u + 3240u, t.size());
}

TEST(IconTemplates, BlockHoldsTheThreeTemplatesBackToBack) {
    const ByteBuffer& block = iconTemplates();
    EXPECT_EQ(block.size(), 8306u);
    EXPECT_EQ(block.first(894), template16());
    EXPECT_EQ(block.mid(895, 3262), template32());
    EXPECT_EQ(block.last(4150), templatePair());
    std::size_t nonZero = 0;
    for (std::uint8_t b : block.vector()) nonZero += b != 0;
    EXPECT_EQ(nonZero, 55u);
}

TEST(IconTemplates, OffsetsAgreeWithTheHeaders) {
    const ByteBuffer pair = templatePair();
    const ByteBuffer one = template16();
    // image offset + biSize, as positions from 1
    EXPECT_EQ(iconTemplateOffsets::kPixels, one.readLe32(19) + one.readLe32(23) + 1);
    EXPECT_EQ(iconTemplateOffsets::kMask16, iconTemplateOffsets::kPixels + 768);
    EXPECT_EQ(iconTemplateOffsets::kMask32, iconTemplateOffsets::kPixels + 3072);
    EXPECT_EQ(iconTemplateOffsets::kPairImage16, pair.readLe32(19) + 1);
    EXPECT_EQ(iconTemplateOffsets::kPairPixels16, pair.readLe32(19) + 40 + 1);
    EXPECT_EQ(iconTemplateOffsets::kPairImage32, pair.readLe32(35) + 1);
    EXPECT_EQ(iconTemplateOffsets::kPairPixels32, pair.readLe32(35) + 40 + 1);
}

// Qt's ICO reader, which shares no code with ours, sees each template as
// black, opaque icons of the right sizes.
TEST(IconTemplates, EachTemplateIsAnAllBlackOpaqueIconToAnIndependentReader) {
    const struct {
        const char* name;
        ByteBuffer bytes;
        std::vector<int> sizes;
    } cases[] = {{"16", template16(), {16}},
                 {"32", template32(), {32}},
                 {"pair", templatePair(), {16, 32}}};
    for (const auto& c : cases) {
        QByteArray data(reinterpret_cast<const char*>(c.bytes.data()),
                        static_cast<qsizetype>(c.bytes.size()));
        QBuffer buffer(&data);
        QImageReader reader(&buffer, "ico");
        ASSERT_EQ(reader.imageCount(), static_cast<int>(c.sizes.size())) << c.name;
        for (int size : c.sizes) {
            QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << c.name << " " << reader.errorString().toStdString();
            EXPECT_EQ(image.width(), size);
            EXPECT_EQ(image.height(), size);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    ASSERT_EQ(image.pixel(x, y), 0xFF000000u) << c.name << " " << x << "," << y;
            reader.jumpToNextImage();
        }
    }
}

}  // namespace
}  // namespace pexor
