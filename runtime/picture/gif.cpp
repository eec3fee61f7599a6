#include "runtime/picture/gif.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "runtime/picture/canvas.h"

namespace pexor {
namespace {

// What giflib reads from: the file's bytes, then a few zero bytes. A file
// that ends right after its last pixel codes, without the empty block that
// closes the image data, would otherwise lose its last row: giflib reads on
// to that block after the last pixel and fails the whole row when it is
// missing. A zero read there ends the data cleanly; a zero read where codes
// should be is an empty block, which giflib refuses, so padding never
// invents pixels.
struct Source {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
    std::size_t paddingLeft = 16;
};

int readSource(GifFileType* gif, GifByteType* out, int wanted) {
    auto* source = static_cast<Source*>(gif->UserData);
    if (wanted <= 0) return 0;
    const std::size_t n = std::min(std::size_t(wanted), source->bytes.size() - source->position);
    std::memcpy(out, source->bytes.data() + source->position, n);
    source->position += n;
    const std::size_t padding = std::min(std::size_t(wanted) - n, source->paddingLeft);
    std::memset(out + n, 0, padding);
    source->paddingLeft -= padding;
    return int(n + padding);
}

// Closes giflib's handle on every way out.
struct GifHandle {
    GifFileType* gif = nullptr;
    ~GifHandle() {
        if (gif != nullptr) {
            int error = 0;
            DGifCloseFile(gif, &error);
        }
    }
};

using Palette = std::array<std::uint32_t, 256>;

// Colours past the end of the table, or all of them without a table, are
// black, so any index a broken file holds is safe to look up.
Palette paletteOf(const ColorMapObject* map) {
    Palette palette;
    palette.fill(kOpaqueBlack);
    if (map == nullptr || map->Colors == nullptr) return palette;
    const int count = std::clamp(map->ColorCount, 0, int(palette.size()));
    for (int i = 0; i < count; ++i) {
        const GifColorType& c = map->Colors[i];
        palette[std::size_t(i)] =
            0xFF000000u | std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
    }
    return palette;
}

// The order rows arrive in: top to bottom, or for an interlaced image every
// eighth row from 0, every eighth from 4, every fourth from 2, then every
// second from 1.
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> order;
    order.reserve(std::size_t(height));
    if (!interlaced) {
        for (int row = 0; row < height; ++row) order.push_back(row);
        return order;
    }
    constexpr std::pair<int, int> kPasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& [start, step] : kPasses) {
        for (int row = start; row < height; row += step) order.push_back(row);
    }
    return order;
}

// On a flat picture LZW reaches about 1000 pixels per byte at 2000 x 2000,
// and a few thousand only on far larger ones; real pictures get tens. A
// screen of more than this many pixels per byte of file is refused before
// the canvas is allocated: it would be a blank canvas at best, and it keeps
// a small file from costing hundreds of megabytes.
constexpr std::uint64_t kMostPixelsPerByte = 1024;

// Skips an extension's data blocks.
bool skipExtension(GifFileType* gif) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
    return true;
}

}  // namespace

PictureResult decodeGif(std::span<const std::uint8_t> bytes) {
    Source source{bytes};
    int openError = 0;
    GifHandle handle{DGifOpen(&source, readSource, &openError)};
    GifFileType* gif = handle.gif;
    if (gif == nullptr) return pictureFault("GIF header or screen descriptor unreadable");

    const int screenWidth = gif->SWidth;
    const int screenHeight = gif->SHeight;
    if (auto fault = pictureSizeFault("GIF", screenWidth, screenHeight); !fault.empty()) {
        return pictureFault(fault);
    }
    if (!dataCouldFill(std::uint64_t(screenWidth) * std::uint64_t(screenHeight), bytes.size(),
                       kMostPixelsPerByte)) {
        return pictureFault("GIF data far too short for the screen size");
    }

    // Walk the records up to the first image.
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) {
            return pictureFault("GIF record unreadable");
        }
        if (record == TERMINATE_RECORD_TYPE) return pictureFault("GIF holds no image");
        if (record == IMAGE_DESC_RECORD_TYPE) break;
        if (record == EXTENSION_RECORD_TYPE) {
            if (!skipExtension(gif)) return pictureFault("GIF extension unreadable");
        } else {
            return pictureFault("GIF record of unknown type");
        }
    }
    if (DGifGetImageDesc(gif) == GIF_ERROR) return pictureFault("GIF image descriptor unreadable");

    const GifImageDesc& frame = gif->Image;
    const std::uint32_t background =
        gif->SColorMap != nullptr ? paletteOf(gif->SColorMap)[std::size_t(gif->SBackGroundColor)]
                                  : kOpaqueBlack;
    const Palette palette = paletteOf(frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap);

    // Only what lands on the screen is drawn; reading stops after the last
    // row that does, so a frame reaching far past the screen costs nothing.
    const int visibleWidth = std::clamp(screenWidth - frame.Left, 0, frame.Width);
    const std::vector<int> order = rowOrder(frame.Height, frame.Interlace);
    std::size_t rowsToRead = 0;
    if (visibleWidth > 0) {
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (frame.Top + order[i] < screenHeight) rowsToRead = i + 1;
        }
    }

    // The canvas is made once the first row has decoded, so that a file
    // whose data is broken from the start costs no canvas.
    std::shared_ptr<Picture> picture;
    std::vector<GifPixelType> line(std::size_t(std::max(frame.Width, 1)));
    for (std::size_t i = 0; i < rowsToRead; ++i) {
        if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) {
            // Data that runs short leaves the rows read so far.
            if (i == 0) return pictureFault("GIF image data unreadable");
            break;
        }
        if (!picture) picture = makePicture(screenWidth, screenHeight, background);
        const int y = frame.Top + order[i];
        if (y >= screenHeight) continue;
        std::uint32_t* out = picture->pixels.data() + std::size_t(y) * std::size_t(screenWidth) +
                             std::size_t(frame.Left);
        for (int x = 0; x < visibleWidth; ++x) out[x] = palette[line[std::size_t(x)]];
    }
    if (!picture) picture = makePicture(screenWidth, screenHeight, background);
    return pictureDone(std::move(picture));
}

}  // namespace pexor
