#include "tests/support/fixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <fstream>

namespace pexor::test {

ByteBuffer makeBmp24(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::vector<std::uint8_t> b;
    auto put16 = [&b](std::uint32_t v) {
        b.push_back(v & 0xFF);
        b.push_back((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    b.push_back('B');
    b.push_back('M');
    put32(54 + imageBytes);  // file size
    put32(0);                // reserved
    put32(54);               // pixel offset
    put32(40);               // info header size
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));  // positive: bottom-up
    put16(1);                                   // planes
    put16(24);                                  // bits per pixel
    put32(0);                                   // no compression
    put32(imageBytes);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, row);
            b.push_back(c & 0xFF);
            b.push_back((c >> 8) & 0xFF);
            b.push_back((c >> 16) & 0xFF);
        }
        for (int pad = width * 3; pad < rowBytes; ++pad) b.push_back(0);
    }
    return ByteBuffer(std::move(b));
}

std::string tempFolder() {
    static QTemporaryDir dir;
    return dir.path().toStdString();
}

std::string writeTempFile(const std::string& name, const ByteBuffer& bytes) {
    const std::string path = tempFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::uint32_t patternPixel(int x, int y) {
    const auto r = static_cast<std::uint32_t>((x * 37 + y * 11) & 0xFF);
    const auto g = static_cast<std::uint32_t>((x * 5 + y * 71 + 40) & 0xFF);
    const auto b = static_cast<std::uint32_t>((x * y * 3 + 90) & 0xFF);
    return r << 16 | g << 8 | b;
}

}  // namespace pexor::test
