#include "runtime/picture/ico.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "runtime/picture/bmp.h"
#include "runtime/picture/canvas.h"
#include "runtime/picture/checked.h"
#include "runtime/picture/reader.h"

namespace pexor {
namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;

struct DirectoryEntry {
    int widthByte = 0;    // 0 stands for 256
    int colourCount = 0;  // 0 for 256 colours or more
    std::uint32_t offset = 0;
};

// The image shown for the file: the first entry 32 pixels wide with 16 to
// 255 colours (the classic 16-colour desktop icon), failing that the last
// entry. Only the directory is consulted, not the images themselves.
std::size_t chooseEntry(const std::vector<DirectoryEntry>& entries) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto& e = entries[i];
        if (e.widthByte == 32 && e.colourCount >= 16 && e.colourCount <= 255) return i;
    }
    return entries.size() - 1;
}

bool isPng(std::span<const std::uint8_t> data) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return data.size() >= sizeof kSignature &&
           std::equal(std::begin(kSignature), std::end(kSignature), data.begin());
}

// Deflate makes at most 1032 bytes of one byte, and a 1-bit picture packs 8
// pixels in a byte: no PNG holds more pixels per byte than this.
constexpr std::uint64_t kMostPngPixelsPerByte = 1032 * 8;

// A PNG entry, read by libpng once its header has passed our size cap; libpng
// would otherwise allocate whatever the header claims.
PictureResult decodePngEntry(std::span<const std::uint8_t> data) {
    ByteReader in(data, 8);
    in.skip(4);  // chunk length
    const std::uint32_t type = in.be32();
    const std::uint32_t width = in.be32();
    const std::uint32_t height = in.be32();
    if (!in.ok() || type != 0x49484452u /* IHDR */) {
        return pictureFault("ICO PNG image header missing");
    }
    if (auto fault = pictureSizeFault("ICO PNG", width, height); !fault.empty()) {
        return pictureFault(fault);
    }
    if (!dataCouldFill(std::uint64_t(width) * height, data.size(), kMostPngPixelsPerByte)) {
        return pictureFault("ICO PNG image data far too short for the picture size");
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) {
        return pictureFault("ICO PNG image unreadable");
    }
    // B, G, R, A bytes with straight alpha: our 0xAARRGGBB pixels.
    image.format = PNG_FORMAT_BGRA;
    if (image.width != width || image.height != height) {
        png_image_free(&image);
        return pictureFault("ICO PNG image header unreadable");
    }
    auto picture = makePicture(int(width), int(height), 0);
    if (!png_image_finish_read(&image, nullptr, picture->pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return pictureFault("ICO PNG image unreadable");
    }
    picture->hasTransparency = true;
    return pictureDone(std::move(picture));
}

// Rows of one bit per pixel, bottom-up, each padded to four bytes; a set bit
// makes the pixel transparent.
void applyMask(Picture& picture, std::span<const std::uint8_t> mask) {
    const auto rowBytes = *checkedRowBytes(std::uint64_t(picture.width), 1, 4);
    for (int stored = 0; stored < picture.height; ++stored) {
        const std::uint8_t* bits = mask.data() + std::size_t(stored) * rowBytes;
        std::uint32_t* row =
            picture.pixels.data() + std::size_t(picture.height - 1 - stored) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            if (bits[x / 8] & (0x80 >> (x % 8))) row[x] &= 0x00FFFFFFu;
        }
    }
}

PictureResult decodeBitmapEntry(std::span<const std::uint8_t> data) {
    IconBitmap bitmap = decodeIconBitmap(data);
    if (!bitmap.picture) return pictureFault(bitmap.error);
    Picture& picture = *bitmap.picture;
    // A 32-bit image with any alpha is drawn by its alpha alone. One whose
    // alpha bytes are all zero predates alpha icons: it is opaque where the
    // mask says so, as Windows draws it.
    if (!bitmap.hasAlpha) {
        for (auto& pixel : picture.pixels) pixel |= 0xFF000000u;
        const auto maskBytes = checkedMul(*checkedRowBytes(std::uint64_t(picture.width), 1, 4),
                                          std::uint64_t(picture.height));
        // A mask cut short is left out: better an opaque icon than half of one.
        if (maskBytes && *maskBytes <= bitmap.afterColour.size()) {
            applyMask(picture, bitmap.afterColour);
        }
    }
    picture.hasTransparency = true;
    return pictureDone(std::move(bitmap.picture));
}

}  // namespace

PictureResult decodeIco(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    const std::uint16_t reserved = in.le16();
    const std::uint16_t type = in.le16();
    const std::uint16_t count = in.le16();
    if (!in.ok()) return pictureFault("ICO header cut short");
    if (reserved != 0 || (type != 1 && type != 2))
        return pictureFault("ICO header names neither icon nor cursor");
    if (count == 0) return pictureFault("ICO directory lists no image");
    if (bytes.size() < kHeaderBytes + std::size_t(count) * kEntryBytes) {
        return pictureFault("ICO directory cut short");
    }

    std::vector<DirectoryEntry> entries(count);
    for (auto& entry : entries) {
        entry.widthByte = in.u8();
        in.u8();  // height, which the bitmap states again
        entry.colourCount = in.u8();
        in.skip(1 + 2 + 2);  // reserved; planes and bit count, or a cursor's hot spot
        in.le32();           // data size: often wrong; the bitmap header says how much to read
        entry.offset = in.le32();
    }
    const DirectoryEntry& chosen = entries[chooseEntry(entries)];
    if (chosen.offset >= bytes.size()) return pictureFault("ICO image offset past end of file");

    // The entry's data reaches to the end of the file: the size in the
    // directory is wrong in many hand-made icons, and what is read is bounded
    // by the file anyway.
    const auto data = bytes.subspan(chosen.offset);
    return isPng(data) ? decodePngEntry(data) : decodeBitmapEntry(data);
}

}  // namespace pexor
