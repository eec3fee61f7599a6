#include "runtime/bytes.h"

#include <algorithm>

namespace pexor {

ByteBuffer ByteBuffer::fromString(std::string_view text) {
    return ByteBuffer(std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::uint8_t ByteBuffer::at(std::size_t position) const {
    if (position == 0 || position > bytes_.size()) return 0;
    return bytes_[position - 1];
}

ByteBuffer ByteBuffer::first(std::size_t n) const {
    n = std::min(n, bytes_.size());
    return ByteBuffer(std::vector<std::uint8_t>(bytes_.begin(), bytes_.begin() + n));
}

ByteBuffer ByteBuffer::last(std::size_t n) const {
    n = std::min(n, bytes_.size());
    return ByteBuffer(std::vector<std::uint8_t>(bytes_.end() - n, bytes_.end()));
}

ByteBuffer ByteBuffer::mid(std::size_t position, std::size_t n) const {
    const std::size_t start = position == 0 ? 0 : position - 1;
    if (start >= bytes_.size()) return {};
    n = std::min(n, bytes_.size() - start);
    return ByteBuffer(std::vector<std::uint8_t>(bytes_.begin() + start, bytes_.begin() + start + n));
}

ByteBuffer ByteBuffer::replaced(std::size_t position, std::size_t n, const ByteBuffer& with) const {
    std::vector<std::uint8_t> out = bytes_;
    const std::size_t start = std::min(position == 0 ? 0 : position - 1, out.size());
    n = std::min(n, with.size());
    if (out.size() < start + n) out.resize(start + n);
    std::copy_n(with.bytes_.begin(), n, out.begin() + start);
    return ByteBuffer(std::move(out));
}

ByteBuffer ByteBuffer::joined(const ByteBuffer& tail) const {
    std::vector<std::uint8_t> out = bytes_;
    out.insert(out.end(), tail.bytes_.begin(), tail.bytes_.end());
    return ByteBuffer(std::move(out));
}

std::uint32_t ByteBuffer::readLe16(std::size_t position) const {
    return std::uint32_t(at(position)) | std::uint32_t(at(position + 1)) << 8;
}

std::uint32_t ByteBuffer::readLe32(std::size_t position) const {
    return readLe16(position) | readLe16(position + 2) << 16;
}

}  // namespace pexor
