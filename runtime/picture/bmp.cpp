#include "runtime/picture/bmp.h"

#include <algorithm>
#include <array>
#include <bit>

#include "runtime/picture/canvas.h"
#include "runtime/picture/checked.h"
#include "runtime/picture/reader.h"
#include "runtime/picture/reduce.h"

namespace pexor {
namespace {

// The compression field. Values 3 and 4 mean something else in the OS/2
// version 2 header: Huffman-coded 1-bit data and 24-bit run lengths.
enum : std::uint32_t {
    kCompressionNone = 0,
    kCompressionRle8 = 1,
    kCompressionRle4 = 2,
    kCompressionBitfields = 3,
    kCompressionJpegOrRle24 = 4,
    kCompressionPng = 5,
    kCompressionAlphaBitfields = 6,
};

// The info header sizes we know: OS/2 version 1 (12), the short and full
// OS/2 version 2 (16, 64), and Windows versions 3, the two unofficial ones
// with masks in the header, 4 and 5 (40, 52, 56, 108, 124).
constexpr std::uint32_t kCoreHeaderSize = 12;
bool knownHeaderSize(std::uint32_t size) {
    switch (size) {
        case 12:
        case 16:
        case 40:
        case 52:
        case 56:
        case 64:
        case 108:
        case 124:
            return true;
        default:
            return false;
    }
}
bool isOs2Version2(std::uint32_t headerSize) {
    return headerSize == 16 || headerSize == 64;
}

enum class Encoding { Indexed, Bgr24, Bitfields, Rle8, Rle4, Rle24 };

struct DibHeader {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, always positive; topDown says their order
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kCompressionNone;
    std::uint32_t coloursUsed = 0;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
    Encoding encoding = Encoding::Indexed;

    bool indexed() const { return bitCount <= 8; }
    std::size_t paletteEntryBytes() const { return headerSize == kCoreHeaderSize ? 3 : 4; }
    // Palette entries the header declares; images above 8 bits may carry an
    // optional palette that only coloursUsed announces.
    std::uint64_t declaredPaletteEntries() const {
        if (coloursUsed != 0) return coloursUsed;
        return indexed() ? std::uint64_t(1) << bitCount : 0;
    }
    bool runLength() const {
        return encoding == Encoding::Rle8 || encoding == Encoding::Rle4 ||
               encoding == Encoding::Rle24;
    }
};

// Works out how the pixels are stored from the bit count and compression.
const char* chooseEncoding(DibHeader& h) {
    const bool os2v2 = isOs2Version2(h.headerSize);
    switch (h.compression) {
        case kCompressionNone:
            switch (h.bitCount) {
                case 1:
                case 2:
                case 4:
                case 8:
                    h.encoding = Encoding::Indexed;
                    return nullptr;
                case 24:
                    h.encoding = Encoding::Bgr24;
                    return nullptr;
                case 16:
                    h.masks = {0x7C00, 0x03E0, 0x001F};
                    break;
                case 32:
                    h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
                    break;
                default:
                    return "BMP bit count not supported";
            }
            h.encoding = Encoding::Bitfields;
            return nullptr;
        case kCompressionRle8:
            if (h.bitCount != 8) return "BMP 8-bit run lengths need 8 bits per pixel";
            h.encoding = Encoding::Rle8;
            return nullptr;
        case kCompressionRle4:
            if (h.bitCount != 4) return "BMP 4-bit run lengths need 4 bits per pixel";
            h.encoding = Encoding::Rle4;
            return nullptr;
        case kCompressionBitfields:
        case kCompressionAlphaBitfields:
            if (os2v2) {
                return h.compression == kCompressionBitfields
                           ? "BMP Huffman-coded data not supported"
                           : "BMP compression method not supported";
            }
            if (h.bitCount != 16 && h.bitCount != 32) return "BMP bit fields need 16 or 32 bits";
            h.encoding = Encoding::Bitfields;
            return nullptr;
        case kCompressionJpegOrRle24:
            if (!os2v2) return "BMP with embedded JPEG data not supported";
            if (h.bitCount != 24) return "BMP 24-bit run lengths need 24 bits per pixel";
            h.encoding = Encoding::Rle24;
            return nullptr;
        case kCompressionPng:
            return "BMP with embedded PNG data not supported";
        default:
            return "BMP compression method not supported";
    }
}

// Reads the info header at the reader's position, and the colour masks that
// follow a 40-byte header, leaving the reader at the palette.
const char* readDibHeader(ByteReader& in, DibHeader& h) {
    const std::size_t start = in.position();
    h.headerSize = in.le32();
    if (!in.ok()) return "BMP info header cut short";
    if (!knownHeaderSize(h.headerSize)) return "BMP info header of unknown size";
    std::uint16_t planes = 0;
    std::int64_t height = 0;
    if (h.headerSize == kCoreHeaderSize) {
        h.width = in.le16();
        height = in.le16();
        planes = in.le16();
        h.bitCount = in.le16();
    } else {
        h.width = in.le32Signed();
        height = in.le32Signed();
        planes = in.le16();
        h.bitCount = in.le16();
        if (h.headerSize >= 40) {
            h.compression = in.le32();
            in.skip(4 * 3);  // image size and resolution: often wrong, never needed
            h.coloursUsed = in.le32();
            in.skip(4);  // important colours
        }
        if (h.headerSize >= 52 && !isOs2Version2(h.headerSize)) {
            for (auto& mask : h.masks) mask = in.le32();
        }
    }
    in.seek(start + h.headerSize);
    if (!in.ok()) return "BMP info header cut short";

    if (planes != 1) return "BMP plane count is not 1";
    if (h.width <= 0) return "BMP width is not positive";
    if (height == 0) return "BMP height is zero";
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    if (const char* fault = chooseEncoding(h)) return fault;

    // A 40-byte header keeps its masks after it, with a fourth for alpha.
    if (h.headerSize == 40 &&
        (h.compression == kCompressionBitfields || h.compression == kCompressionAlphaBitfields)) {
        for (auto& mask : h.masks) mask = in.le32();
        if (h.compression == kCompressionAlphaBitfields) in.skip(4);
        if (!in.ok()) return "BMP colour masks cut short";
    }
    if (h.runLength() && h.topDown) return "BMP run-length data cannot be stored top-down";
    return nullptr;
}

// 256 entries, opaque black beyond those the file gives, so that any 8-bit
// index is safe and an index past the palette shows black.
using Palette = std::array<std::uint32_t, 256>;

Palette readPalette(ByteReader& in, std::size_t entries, std::size_t entryBytes) {
    Palette palette;
    palette.fill(kOpaqueBlack);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t blue = in.u8();
        const std::uint8_t green = in.u8();
        const std::uint8_t red = in.u8();
        if (entryBytes == 4) in.u8();
        if (!in.ok()) break;
        palette[i] = 0xFF000000u | std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
    }
    return palette;
}

// One colour channel of a bit-field pixel, scaled to 0..255 with rounding so
// that the largest value is white whatever its number of bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t largest = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0) return;
        shift = std::countr_zero(mask);
        largest = mask >> shift;
    }
    std::uint32_t operator()(std::uint32_t pixel) const {
        if (mask == 0) return 0;
        const std::uint64_t value = (pixel & mask) >> shift;
        return std::uint32_t((value * 255 + largest / 2) / largest);
    }
};

struct Target {
    Picture& picture;
    bool topDown;
    std::uint32_t* row(std::int64_t stored) const {
        const std::int64_t y = topDown ? stored : picture.height - 1 - stored;
        return picture.pixels.data() + y * picture.width;
    }
    void rowDone() const {}
    int width() const { return picture.width; }
};

// Rows go through a reducer that keeps only block averages: a large picture
// that will be drawn small never exists at full size.
struct ReducingTarget {
    RowReducer& reducer;
    int fullWidth;
    std::int64_t fullHeight;
    bool topDown;
    std::uint32_t* row(std::int64_t stored) const {
        return reducer.row(int(topDown ? stored : fullHeight - 1 - stored));
    }
    void rowDone() const { reducer.rowDone(); }
    int width() const { return fullWidth; }
};

// Whether `available` bytes hold every uncompressed row, each padded to four
// bytes. The padding of the last row may be missing: some writers leave it
// out. Checked before the picture is allocated.
const char* rowDataFault(const DibHeader& h, std::size_t available, std::uint64_t* rowBytes) {
    const auto padded = checkedRowBytes(std::uint64_t(h.width), h.bitCount, 4);
    const auto usedInLastRow = checkedRowBytes(std::uint64_t(h.width), h.bitCount, 1);
    if (!padded || !usedInLastRow) return "BMP row size overflows";
    const auto allButLast = checkedMul(*padded, std::uint64_t(h.height - 1));
    const auto needed = allButLast ? checkedAdd(*allButLast, *usedInLastRow) : std::nullopt;
    if (!needed) return "BMP pixel data size overflows";
    if (*needed > available) return "BMP pixel data cut short";
    *rowBytes = *padded;
    return nullptr;
}

// Uncompressed rows, after rowDataFault has passed them.
template <typename RowTarget>
void decodeRows(const DibHeader& h, const Palette& palette, std::span<const std::uint8_t> data,
                std::uint64_t rowBytes, bool keepAlpha, const RowTarget& target, bool* anyAlpha) {
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const int width = target.width();
    for (std::int64_t r = 0; r < h.height; ++r) {
        const std::uint8_t* in = data.data() + r * rowBytes;
        std::uint32_t* out = target.row(r);
        switch (h.encoding) {
            case Encoding::Indexed: {
                const int bits = h.bitCount;
                const int perByte = 8 / bits;
                const unsigned valueMask = (1u << bits) - 1;
                for (int x = 0; x < width; ++x) {
                    const int shift = 8 - bits * (x % perByte + 1);
                    out[x] = palette[(in[x / perByte] >> shift) & valueMask];
                }
                break;
            }
            case Encoding::Bgr24:
                for (int x = 0; x < width; ++x, in += 3) {
                    out[x] = 0xFF000000u | std::uint32_t(in[2]) << 16 | std::uint32_t(in[1]) << 8 |
                             in[0];
                }
                break;
            case Encoding::Bitfields:
                for (int x = 0; x < width; ++x) {
                    std::uint32_t pixel = in[0] | std::uint32_t(in[1]) << 8;
                    std::uint32_t alpha = 0xFF;
                    if (h.bitCount == 32) {
                        pixel |= std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
                        if (keepAlpha) alpha = in[3];
                        in += 4;
                    } else {
                        in += 2;
                    }
                    if (keepAlpha && alpha != 0) *anyAlpha = true;
                    out[x] = alpha << 24 | red(pixel) << 16 | green(pixel) << 8 | blue(pixel);
                }
                break;
            default:  // run lengths never come here
                return;
        }
        target.rowDone();
    }
}

// Run-length data: pairs of (count, colour) and escapes for end of line, end
// of bitmap, a jump ahead, and a stretch of literal pixels. Pixels the data
// skips stay black. Runs that pass the end of a row or the top are clipped;
// data that stops early leaves what it drew.
void decodeRunLengths(const DibHeader& h, const Palette& palette,
                      std::span<const std::uint8_t> data, const Target& target) {
    ByteReader in(data);
    const std::int64_t width = h.width;
    std::int64_t x = 0;
    std::int64_t y = 0;  // stored rows from the bottom
    std::uint32_t* row = target.row(0);
    auto put = [&](std::uint32_t colour) {
        if (x < width) row[x] = colour;
        ++x;
    };
    auto bgr = [&]() {
        const std::uint8_t blue = in.u8();
        const std::uint8_t green = in.u8();
        const std::uint8_t red = in.u8();
        return 0xFF000000u | std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
    };
    while (y < h.height) {
        const std::uint8_t count = in.u8();
        const std::uint8_t value = in.u8();
        if (!in.ok()) return;
        if (count > 0) {
            if (h.encoding == Encoding::Rle24) {
                // The pair held the count and blue; green and red follow.
                const std::uint32_t colour = 0xFF000000u | std::uint32_t(in.u8()) << 8;
                const std::uint32_t withRed = colour | std::uint32_t(in.u8()) << 16 | value;
                if (!in.ok()) return;
                for (int i = 0; i < count; ++i) put(withRed);
            } else if (h.encoding == Encoding::Rle4) {
                for (int i = 0; i < count; ++i) put(palette[i % 2 ? value & 0x0F : value >> 4]);
            } else {
                for (int i = 0; i < count; ++i) put(palette[value]);
            }
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                if (++y < h.height) row = target.row(y);
                break;
            case 1:  // end of bitmap
                return;
            case 2: {  // jump right and up
                const std::uint8_t dx = in.u8();
                const std::uint8_t dy = in.u8();
                if (!in.ok()) return;
                x += dx;
                y += dy;
                if (y < h.height) row = target.row(y);
                break;
            }
            default: {  // `value` literal pixels, padded to an even number of bytes
                std::size_t bytes = 0;
                if (h.encoding == Encoding::Rle8) {
                    for (int i = 0; i < value; ++i) put(palette[in.u8()]);
                    bytes = value;
                } else if (h.encoding == Encoding::Rle4) {
                    std::uint8_t pair = 0;
                    for (int i = 0; i < value; ++i) {
                        if (i % 2 == 0) pair = in.u8();
                        put(palette[i % 2 ? pair & 0x0F : pair >> 4]);
                    }
                    bytes = (std::size_t(value) + 1) / 2;
                } else {
                    for (int i = 0; i < value; ++i) put(bgr());
                    bytes = std::size_t(value) * 3;
                }
                if (bytes % 2) in.u8();
                if (!in.ok()) return;
            }
        }
    }
}

// Two bytes of run-length data draw at most 255 pixels; only skips (end of
// line, jumps) cover more, and a picture that is mostly skipped, undefined
// pixels is not worth a canvas. So a header claiming more than this many
// pixels per byte of data is refused before the canvas is allocated,
// which keeps a few bytes from costing hundreds of megabytes.
constexpr std::uint64_t kMostRunLengthPixelsPerByte = 1024;

}  // namespace

PictureResult decodeBmp(std::span<const std::uint8_t> bytes, DecodeHint hint) {
    ByteReader in(bytes);
    if (in.u8() != 'B' || in.u8() != 'M') return pictureFault("BMP signature missing");
    in.skip(4 + 2 + 2);  // file size and two reserved words: often wrong, never needed
    const std::uint32_t pixelOffset = in.le32();
    if (!in.ok()) return pictureFault("BMP file header cut short");

    DibHeader h;
    if (const char* fault = readDibHeader(in, h)) return pictureFault(fault);
    if (auto fault = pictureSizeFault("BMP", h.width, h.height); !fault.empty()) {
        return pictureFault(fault);
    }

    // The palette sits between the headers and the pixels; the pixel offset
    // bounds how many entries there really are (OS/2 files often give fewer
    // than the bit count allows, and have no field to say so).
    const std::size_t paletteStart = in.position();
    std::size_t pixelStart = pixelOffset;
    if (pixelOffset < paletteStart) {
        const auto paletteBytes = checkedMul(h.declaredPaletteEntries(), h.paletteEntryBytes());
        const auto after = paletteBytes ? checkedAdd(paletteStart, *paletteBytes) : std::nullopt;
        if (!after) return pictureFault("BMP palette size overflows");
        pixelStart = std::size_t(*after);
    }
    if (pixelStart >= bytes.size()) return pictureFault("BMP pixel data offset past end of file");
    Palette palette;
    palette.fill(kOpaqueBlack);
    if (h.indexed()) {
        const std::size_t room = (pixelStart - paletteStart) / h.paletteEntryBytes();
        const std::size_t entries = std::size_t(
            std::min<std::uint64_t>({h.declaredPaletteEntries(), room, palette.size()}));
        palette = readPalette(in, entries, h.paletteEntryBytes());
    }

    const auto data = bytes.subspan(pixelStart);
    std::uint64_t rowBytes = 0;
    if (!h.runLength()) {
        if (const char* fault = rowDataFault(h, data.size(), &rowBytes)) return pictureFault(fault);
    }
    if (h.runLength() && !dataCouldFill(std::uint64_t(h.width) * std::uint64_t(h.height),
                                        data.size(), kMostRunLengthPixelsPerByte)) {
        return pictureFault("BMP run-length data far too short for the picture size");
    }
    // Uncompressed rows arrive in order and can be shrunk as they come.
    if (const int factor = reductionFactor(h.width, h.height, hint); factor > 1 && !h.runLength()) {
        RowReducer reducer(int(h.width), int(h.height), factor);
        bool anyAlpha = false;
        decodeRows(h, palette, data, rowBytes, false,
                   ReducingTarget{reducer, int(h.width), h.height, h.topDown}, &anyAlpha);
        return pictureDone(reducer.finish());
    }
    auto picture = makePicture(int(h.width), int(h.height), kOpaqueBlack);
    const Target target{*picture, h.topDown};
    if (h.runLength()) {
        decodeRunLengths(h, palette, data, target);
    } else {
        bool anyAlpha = false;
        decodeRows(h, palette, data, rowBytes, false, target, &anyAlpha);
    }
    return pictureDone(std::move(picture));
}

IconBitmap decodeIconBitmap(std::span<const std::uint8_t> dib) {
    IconBitmap result;
    auto fail = [&](std::string error) {
        result.error = std::move(error);
        return result;
    };
    ByteReader in(dib);
    DibHeader h;
    // The shared faults name BMP; here they are the icon's: "ICO image ...".
    const auto iconFault = [](const char* fault) { return "ICO image" + std::string(fault + 3); };
    if (const char* fault = readDibHeader(in, h)) return fail(iconFault(fault));
    if (h.runLength()) return fail("ICO image compression not supported");
    if (h.topDown) return fail("ICO image stored top-down");
    // The height counts the colour rows and the mask rows.
    const std::int64_t height = h.height / 2;
    if (auto fault = pictureSizeFault("ICO", h.width, height); !fault.empty()) return fail(fault);
    h.height = height;

    // Unlike a BMP file, nothing says where the pixels start: right after the
    // whole declared palette.
    const auto paletteBytes = checkedMul(h.declaredPaletteEntries(), h.paletteEntryBytes());
    const auto pixelStart = paletteBytes ? checkedAdd(in.position(), *paletteBytes) : std::nullopt;
    if (!pixelStart || *pixelStart > dib.size()) return fail("ICO image palette past end of data");
    const Palette palette =
        readPalette(in, std::size_t(std::min<std::uint64_t>(h.declaredPaletteEntries(), 256)),
                    h.paletteEntryBytes());

    const auto data = dib.subspan(std::size_t(*pixelStart));
    std::uint64_t rowBytes = 0;
    if (const char* fault = rowDataFault(h, data.size(), &rowBytes)) return fail(iconFault(fault));
    auto picture = makePicture(int(h.width), int(height), kOpaqueBlack);
    decodeRows(h, palette, data, rowBytes, h.bitCount == 32, Target{*picture, false},
               &result.hasAlpha);
    const std::uint64_t colourBytes = rowBytes * std::uint64_t(height);
    result.afterColour =
        data.subspan(std::size_t(std::min<std::uint64_t>(colourBytes, data.size())));
    result.picture = std::move(picture);
    return result;
}

}  // namespace pexor
