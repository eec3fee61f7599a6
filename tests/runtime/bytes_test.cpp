#include "runtime/bytes.h"

#include <gtest/gtest.h>

namespace pexor {
namespace {

ByteBuffer abcde() { return ByteBuffer::fromString("abcde"); }
ByteBuffer text(const char* s) { return ByteBuffer::fromString(s); }

struct BufferCase {
    const char* name;
    ByteBuffer result;
    ByteBuffer expected;
};

TEST(ByteBuffer, OperationsCountFromOneAndClampAtTheEnds) {
    const BufferCase cases[] = {
        {"first 2", abcde().first(2), text("ab")},
        {"first past end", abcde().first(9), text("abcde")},
        {"first 0", abcde().first(0), text("")},
        {"last 2", abcde().last(2), text("de")},
        {"last past end", abcde().last(9), text("abcde")},
        {"mid from 2", abcde().mid(2, 3), text("bcd")},
        {"mid past end", abcde().mid(4, 9), text("de")},
        {"mid start past end", abcde().mid(6, 1), text("")},
        {"replace inside", abcde().replaced(2, 2, text("XY")), text("aXYde")},
        {"replace at start", abcde().replaced(1, 1, text("Z")), text("Zbcde")},
        {"replace reaching past end appends", abcde().replaced(4, 4, text("WXYZ")),
         text("abcWXYZ")},
        {"replace right after end appends", abcde().replaced(6, 2, text("XY")), text("abcdeXY")},
        {"replace takes only n bytes", abcde().replaced(1, 1, text("XYZ")), text("Xbcde")},
        {"join", abcde().joined(text("fg")), text("abcdefg")},
        {"join empty", ByteBuffer().joined(text("")), text("")},
    };
    for (const auto& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;
}

TEST(ByteBuffer, OperationsLeaveTheirInputsUnchanged) {
    const ByteBuffer original = abcde();
    ByteBuffer copy = original;
    (void)copy.replaced(1, 5, text("vwxyz"));
    (void)copy.joined(text("!"));
    EXPECT_EQ(copy, original);
}

TEST(ByteBuffer, ReadsLittleEndianAtOneBasedPositions) {
    const ByteBuffer b{0x01, 0x02, 0x03, 0x84};
    EXPECT_EQ(b.readLe16(1), 0x0201u);
    EXPECT_EQ(b.readLe32(1), 0x84030201u);
    EXPECT_EQ(b.at(4), 0x84);
    EXPECT_EQ(b.at(5), 0);  // outside reads as zero
}

}  // namespace
}  // namespace pexor
