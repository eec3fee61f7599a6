#include "runtime/surface.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "runtime/picture/decode.h"
#include "runtime/stretch.h"

namespace pexor {

namespace {

void putLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void putLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    putLe16(out, value & 0xFFFF);
    putLe16(out, value >> 16);
}

}  // namespace

Surface::Surface(int width, int height, ColourValue background)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      background_(background),
      pixels_(std::size_t(width_) * std::size_t(height_), argbOf(resolveColour(background))) {}

std::uint32_t Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void Surface::setBackgroundColour(ColourValue colour) {
    background_ = colour;
}

void Surface::setBackgroundPicture(ByteBuffer bytes) {
    backgroundBytes_ = std::move(bytes);
    backgroundPicture_.reset();
    // Decoded once here, at most at the surface's size, so that every later
    // clear only draws it.
    if (!backgroundBytes_.empty()) {
        backgroundPicture_ =
            decodePicture(backgroundBytes_.span(), DecodeHint{width_, height_}).picture;
    }
    clear();
}

void Surface::clear() {
    std::fill(pixels_.begin(), pixels_.end(), argbOf(resolveColour(background_)));
    if (!backgroundPicture_) return;
    const Picture& picture = *backgroundPicture_;
    if (picture.width <= 0 || picture.height <= 0) return;

    // Shrink by the smaller of the two ratios so the whole picture fits, never
    // enlarge. The scaled size is truncated; compared and computed in integers
    // (surface width × picture height against surface height × picture width)
    // so that no ratio is rounded on the way. A picture decoded smaller than
    // its file states fits by the stated size, as it would have at full size.
    std::int64_t width = picture.fullWidth > 0 ? picture.fullWidth : picture.width;
    std::int64_t height = picture.fullHeight > 0 ? picture.fullHeight : picture.height;
    if (width > width_ || height > height_) {
        if (std::int64_t(width_) * height <= std::int64_t(height_) * width) {
            height = height * width_ / width;
            width = width_;
        } else {
            width = width * height_ / height;
            height = height_;
        }
    }
    const TargetRect rect{int((width_ - width) / 2), int((height_ - height) / 2), int(width),
                          int(height)};
    stretchHalftone(picture, PixelTarget{pixels_, width_, height_}, rect);
}

void Surface::drawPicture(const Picture* picture, int left, int top, int width, int height,
                          StretchMode mode) {
    if (!picture) return;
    const PixelTarget target{pixels_, width_, height_};
    const TargetRect rect{left, top, width, height};
    if (mode == StretchMode::Halftone) {
        stretchHalftone(*picture, target, rect);
    } else {
        stretchColourOnColour(*picture, target, rect);
    }
}

void Surface::setPen(PenStyle style, ColourValue colour) {
    penStyle_ = style;
    penColour_ = colour;
}

void Surface::setBrush(ColourValue colour) {
    hollowBrush_ = false;
    brushColour_ = colour;
}

void Surface::setHollowBrush() {
    hollowBrush_ = true;
}

void Surface::drawRectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    const std::uint32_t pen = argbOf(resolveColour(penColour_));
    const std::uint32_t brush = argbOf(resolveColour(brushColour_));
    // Only the part on the surface is visited, so a huge rectangle costs no
    // more than the surface.
    const int x0 = std::max(left, 0);
    const int x1 = std::min(right, width_);
    const int y0 = std::max(top, 0);
    const int y1 = std::min(bottom, height_);
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* row = pixels_.data() + std::size_t(y) * std::size_t(width_);
        const bool edgeRow = y == top || y == bottom - 1;
        for (int x = x0; x < x1; ++x) {
            if (edgeRow || x == left || x == right - 1) {
                // The dotted pen sets the outline pixels where x + y is even
                // and leaves the others alone. The phase belongs to the
                // surface rather than to each rectangle, so the shared edges
                // of neighbouring cells dot alike and a grid of them reads as
                // one regular dotted grid.
                if (penStyle_ == PenStyle::Solid || (x + y) % 2 == 0) row[x] = pen;
            } else if (!hollowBrush_) {
                row[x] = brush;
            }
        }
    }
}

void Surface::drawPoint(int x, int y, ColourValue colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = argbOf(resolveColour(colour));
}

ByteBuffer Surface::snapshot() const {
    const std::uint32_t rowBytes = (std::uint32_t(width_) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * std::uint32_t(height_);
    const std::uint32_t pixelOffset = 14 + 40;
    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + imageBytes);

    // File header.
    out.push_back('B');
    out.push_back('M');
    putLe32(out, pixelOffset + imageBytes);  // file size
    putLe16(out, 0);                         // reserved
    putLe16(out, 0);                         // reserved
    putLe32(out, pixelOffset);               // where the pixels start

    // BITMAPINFOHEADER. The height is positive: rows are stored bottom-up.
    putLe32(out, 40);
    putLe32(out, std::uint32_t(width_));
    putLe32(out, std::uint32_t(height_));
    putLe16(out, 1);           // planes
    putLe16(out, 24);          // bits per pixel
    putLe32(out, 0);           // no compression
    putLe32(out, imageBytes);  // padded rows × height
    putLe32(out, 0);           // horizontal pixels per metre
    putLe32(out, 0);           // vertical pixels per metre
    putLe32(out, 0);           // colours used: no palette
    putLe32(out, 0);           // important colours

    for (int y = height_ - 1; y >= 0; --y) {
        const std::uint32_t* row = pixels_.data() + std::size_t(y) * std::size_t(width_);
        for (int x = 0; x < width_; ++x) {
            out.push_back(std::uint8_t(row[x]));        // blue
            out.push_back(std::uint8_t(row[x] >> 8));   // green
            out.push_back(std::uint8_t(row[x] >> 16));  // red
        }
        out.resize(out.size() + (rowBytes - std::uint32_t(width_) * 3), 0);
    }
    return ByteBuffer(std::move(out));
}

}  // namespace pexor
