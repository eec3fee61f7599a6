#include "runtime/picture/pcx.h"

#include <algorithm>
#include <array>

#include "runtime/picture/canvas.h"
#include "runtime/picture/checked.h"
#include "runtime/picture/reader.h"

namespace pexor {
namespace {

constexpr std::size_t kHeaderBytes = 128;
// The 256-colour palette: a 0x0C marker, then 256 RGB triples, always the
// last bytes of the file (some writers leave filler between the image data
// and the marker, so it is found from the end).
constexpr std::size_t kPaletteBytes = 1 + 256 * 3;
constexpr std::uint8_t kPaletteMarker = 0x0C;

struct PcxHeader {
    std::uint8_t encoding = 0;
    std::uint8_t bitsPerPixel = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint8_t planes = 0;
    std::uint16_t bytesPerLine = 0;  // per plane; even by the rules, odd in some files
};

const char* readHeader(std::span<const std::uint8_t> bytes, PcxHeader& h) {
    ByteReader in(bytes);
    if (in.u8() != 0x0A) return "PCX signature missing";
    in.u8();  // version: what it changes (the header palette) is unused here
    h.encoding = in.u8();
    h.bitsPerPixel = in.u8();
    const std::uint16_t xMin = in.le16();
    const std::uint16_t yMin = in.le16();
    const std::uint16_t xMax = in.le16();
    const std::uint16_t yMax = in.le16();
    in.skip(2 + 2 + 48 + 1);  // resolution, 16-colour palette, reserved
    h.planes = in.u8();
    h.bytesPerLine = in.le16();
    in.seek(kHeaderBytes);
    if (!in.ok()) return "PCX header cut short";
    if (h.encoding != 1) return "PCX encoding not run-length";
    if (xMax < xMin || yMax < yMin) return "PCX window is empty";
    h.width = std::int64_t(xMax) - xMin + 1;
    h.height = std::int64_t(yMax) - yMin + 1;
    const bool eightBits = h.bitsPerPixel == 8 && (h.planes == 1 || h.planes == 3);
    const bool oneBit = h.bitsPerPixel == 1 && h.planes == 1;
    if (!eightBits && !oneBit) return "PCX kind not supported (bits per pixel and planes)";
    return nullptr;
}

// Decodes runs one scanline at a time: a byte with its two top bits set
// repeats the next byte (its low six bits) times, any other byte stands for
// itself. Runs carry on across scanlines, so a run cut by the end of a line
// goes on in the next.
class RunReader {
public:
    explicit RunReader(std::span<const std::uint8_t> data) : data_(data) {}

    // Fills `out`; bytes past the end of the data are colour 0.
    void fill(std::span<std::uint8_t> out) {
        std::size_t filled = 0;
        while (filled < out.size()) {
            if (left_ == 0 && !nextRun()) break;
            const std::size_t count = std::min(left_, out.size() - filled);
            std::fill_n(out.begin() + std::ptrdiff_t(filled), count, value_);
            filled += count;
            left_ -= count;
        }
        std::fill(out.begin() + std::ptrdiff_t(filled), out.end(), std::uint8_t{0});
    }

private:
    bool nextRun() {
        if (i_ == data_.size()) return false;
        value_ = data_[i_++];
        left_ = 1;
        if ((value_ & 0xC0) == 0xC0) {
            if (i_ == data_.size()) return false;
            left_ = value_ & 0x3F;
            value_ = data_[i_++];
        }
        return true;
    }

    std::span<const std::uint8_t> data_;
    std::size_t i_ = 0;
    std::uint8_t value_ = 0;
    std::size_t left_ = 0;
};

// At most 63 bytes from a two-byte run.
constexpr std::uint64_t kMostBytesPerDataByte = 32;

}  // namespace

PictureResult decodePcx(std::span<const std::uint8_t> bytes) {
    PcxHeader h;
    if (const char* fault = readHeader(bytes, h)) return pictureFault(fault);
    if (auto fault = pictureSizeFault("PCX", h.width, h.height); !fault.empty()) {
        return pictureFault(fault);
    }
    const auto usedBytes = checkedRowBytes(std::uint64_t(h.width), h.bitsPerPixel, 1);
    if (!usedBytes || h.bytesPerLine < *usedBytes)
        return pictureFault("PCX line shorter than its width");

    auto data = bytes.subspan(kHeaderBytes);
    std::array<std::uint32_t, 256> palette{};
    const bool vgaPalette = h.bitsPerPixel == 8 && h.planes == 1;
    if (vgaPalette) {
        if (data.size() < kPaletteBytes || data[data.size() - kPaletteBytes] != kPaletteMarker) {
            return pictureFault("PCX 256-colour palette missing");
        }
        const auto triples = data.last(kPaletteBytes - 1);
        for (std::size_t i = 0; i < palette.size(); ++i) {
            palette[i] = 0xFF000000u | std::uint32_t(triples[3 * i]) << 16 |
                         std::uint32_t(triples[3 * i + 1]) << 8 | triples[3 * i + 2];
        }
        data = data.first(data.size() - kPaletteBytes);
    }

    // A scanline holds bytesPerLine bytes for each plane in turn; only the
    // first `width` pixels are shown, the rest is padding.
    const auto lineBytes = checkedMul(h.bytesPerLine, h.planes);
    const auto allBytes =
        lineBytes ? checkedMul(*lineBytes, std::uint64_t(h.height)) : std::nullopt;
    if (!allBytes) return pictureFault("PCX image size overflows");
    if (!dataCouldFill(*allBytes, data.size(), kMostBytesPerDataByte)) {
        return pictureFault("PCX image data far too short for the picture size");
    }
    RunReader runs(data);  // data that stops early leaves the rest colour 0
    std::vector<std::uint8_t> lineBuffer(static_cast<std::size_t>(*lineBytes));

    const int width = int(h.width);
    auto picture = makePicture(width, int(h.height), kOpaqueBlack);
    for (std::int64_t y = 0; y < h.height; ++y) {
        runs.fill(lineBuffer);
        const std::uint8_t* line = lineBuffer.data();
        std::uint32_t* out = picture->pixels.data() + std::size_t(y) * std::size_t(width);
        if (vgaPalette) {
            for (int x = 0; x < width; ++x) out[x] = palette[line[x]];
        } else if (h.planes == 3) {
            const std::uint8_t* red = line;
            const std::uint8_t* green = line + h.bytesPerLine;
            const std::uint8_t* blue = green + h.bytesPerLine;
            for (int x = 0; x < width; ++x) {
                out[x] = 0xFF000000u | std::uint32_t(red[x]) << 16 | std::uint32_t(green[x]) << 8 |
                         blue[x];
            }
        } else {
            // One bit per pixel, first pixel in the top bit. The header's
            // 16-colour palette is ignored: files in the wild fill it with
            // anything (zeros, red), and readers show bit 1 white, bit 0 black.
            for (int x = 0; x < width; ++x) {
                out[x] = (line[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : kOpaqueBlack;
            }
        }
    }
    return pictureDone(std::move(picture));
}

}  // namespace pexor
