#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace pexor {

// A length-counted byte string with value semantics. Positions count from 1,
// as the icon byte tables do; every operation returns a new buffer and leaves
// its inputs alone. Takes past the end yield fewer bytes, a replacement that
// reaches past the end appends.
class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    ByteBuffer(std::initializer_list<std::uint8_t> bytes) : bytes_(bytes) {}
    explicit ByteBuffer(std::span<const std::uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}
    static ByteBuffer fromString(std::string_view text);

    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    std::span<const std::uint8_t> span() const { return bytes_; }
    const std::vector<std::uint8_t>& vector() const { return bytes_; }

    // The byte at a 1-based position; positions outside the buffer read as 0.
    std::uint8_t at(std::size_t position) const;

    ByteBuffer first(std::size_t n) const;
    ByteBuffer last(std::size_t n) const;
    // n bytes from a 1-based position; a position of 0 counts as 1.
    ByteBuffer mid(std::size_t position, std::size_t n) const;
    // The buffer with n bytes from a 1-based position replaced by the first n
    // bytes of `with`; bytes past the end are appended.
    ByteBuffer replaced(std::size_t position, std::size_t n, const ByteBuffer& with) const;
    ByteBuffer joined(const ByteBuffer& tail) const;

    // Little-endian reads at a 1-based position, for icon headers and masks.
    std::uint32_t readLe16(std::size_t position) const;
    std::uint32_t readLe32(std::size_t position) const;

    friend bool operator==(const ByteBuffer&, const ByteBuffer&) = default;

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace pexor
