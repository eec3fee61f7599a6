#include "runtime/picture/reduce.h"

#include <algorithm>

#include "runtime/picture/canvas.h"

namespace pexor {

namespace {
// Shrinking stops where each pixel the picture is drawn at still averages at
// least this many pixels a side, so the final area average barely differs
// from one over the full picture.
constexpr std::int64_t kSourcePixelsPerTarget = 4;
// Sums of 255 * 256 * 256 stay far below 2^32.
constexpr std::int64_t kLargestFactor = 256;
}  // namespace

int reductionFactor(std::int64_t width, std::int64_t height, DecodeHint hint) {
    if (hint.maxWidth <= 0 || hint.maxHeight <= 0) return 1;
    const std::int64_t byWidth = width / (hint.maxWidth * kSourcePixelsPerTarget);
    const std::int64_t byHeight = height / (hint.maxHeight * kSourcePixelsPerTarget);
    return int(std::clamp<std::int64_t>(std::min(byWidth, byHeight), 1, kLargestFactor));
}

RowReducer::RowReducer(int width, int height, int factor)
    : width_(width),
      factor_(factor),
      picture_(
          makePicture((width + factor - 1) / factor, (height + factor - 1) / factor, 0xFF000000u)),
      scratch_(std::size_t(width)),
      sums_(std::size_t(picture_->width) * 3) {
    picture_->fullWidth = width;
    picture_->fullHeight = height;
}

std::uint32_t* RowReducer::row(int y) {
    const int band = y / factor_;
    if (band != band_) {
        flushBand();
        band_ = band;
    }
    return scratch_.data();
}

void RowReducer::rowDone() {
    const int outWidth = picture_->width;
    for (int ox = 0; ox < outWidth; ++ox) {
        const int x0 = ox * factor_;
        const int x1 = std::min(width_, x0 + factor_);
        std::uint32_t r = 0, g = 0, b = 0;
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t p = scratch_[std::size_t(x)];
            r += (p >> 16) & 0xFF;
            g += (p >> 8) & 0xFF;
            b += p & 0xFF;
        }
        std::uint32_t* s = &sums_[std::size_t(ox) * 3];
        s[0] += r;
        s[1] += g;
        s[2] += b;
    }
    ++bandRows_;
}

void RowReducer::flushBand() {
    if (band_ < 0 || bandRows_ == 0) {
        std::fill(sums_.begin(), sums_.end(), 0u);
        bandRows_ = 0;
        return;
    }
    const int outWidth = picture_->width;
    std::uint32_t* out = picture_->pixels.data() + std::size_t(band_) * std::size_t(outWidth);
    for (int ox = 0; ox < outWidth; ++ox) {
        const std::uint32_t columns =
            std::uint32_t(std::min(width_, (ox + 1) * factor_) - ox * factor_);
        const std::uint32_t n = columns * std::uint32_t(bandRows_);
        const std::uint32_t* s = &sums_[std::size_t(ox) * 3];
        const auto mean = [n](std::uint32_t sum) { return (sum + n / 2) / n; };
        out[ox] = 0xFF000000u | mean(s[0]) << 16 | mean(s[1]) << 8 | mean(s[2]);
    }
    std::fill(sums_.begin(), sums_.end(), 0u);
    bandRows_ = 0;
}

std::shared_ptr<Picture> RowReducer::finish() {
    flushBand();
    band_ = -1;
    return picture_;
}

}  // namespace pexor
