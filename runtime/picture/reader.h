#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace pexor {

// A cursor over picture bytes that never reads outside them. A read that runs
// short yields zeros and marks the reader failed for good, so a fixed-size
// header record is read field by field and checked once with ok() at its end,
// instead of a length check before every field.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes, std::size_t position = 0)
        : bytes_(bytes), position_(position), ok_(position <= bytes.size()) {
        if (!ok_) position_ = bytes_.size();
    }

    bool ok() const { return ok_; }
    std::size_t position() const { return position_; }
    std::size_t size() const { return bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool atEnd() const { return position_ == bytes_.size(); }

    std::uint8_t u8() {
        if (!need(1)) return 0;
        return bytes_[position_++];
    }
    std::uint16_t le16() {
        if (!need(2)) return 0;
        const std::uint16_t value = std::uint16_t(bytes_[position_] | bytes_[position_ + 1] << 8);
        position_ += 2;
        return value;
    }
    std::uint32_t le32() {
        if (!need(4)) return 0;
        const std::uint32_t value =
            std::uint32_t(bytes_[position_]) | std::uint32_t(bytes_[position_ + 1]) << 8 |
            std::uint32_t(bytes_[position_ + 2]) << 16 | std::uint32_t(bytes_[position_ + 3]) << 24;
        position_ += 4;
        return value;
    }
    std::int32_t le32Signed() { return std::int32_t(le32()); }
    std::uint32_t be32() {
        if (!need(4)) return 0;
        const std::uint32_t value =
            std::uint32_t(bytes_[position_]) << 24 | std::uint32_t(bytes_[position_ + 1]) << 16 |
            std::uint32_t(bytes_[position_ + 2]) << 8 | std::uint32_t(bytes_[position_ + 3]);
        position_ += 4;
        return value;
    }

    void skip(std::size_t n) {
        if (need(n)) position_ += n;
    }
    // The next n bytes; an empty span, and a failed reader, when fewer are left.
    std::span<const std::uint8_t> take(std::size_t n) {
        if (!need(n)) return {};
        const auto part = bytes_.subspan(position_, n);
        position_ += n;
        return part;
    }
    // Moves to an absolute position; past the end fails the reader.
    void seek(std::size_t position) {
        if (position > bytes_.size()) {
            fail();
            return;
        }
        position_ = position;
    }

private:
    bool need(std::size_t n) {
        if (ok_ && n <= remaining()) return true;
        fail();
        return false;
    }
    void fail() {
        ok_ = false;
        position_ = bytes_.size();
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t position_;
    bool ok_;
};

}  // namespace pexor
