#include "runtime/stretch.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace pexor {

namespace {

using Wide = std::uint64_t;

bool usable(const Picture& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height);
}

// The part of the rectangle that lies on the target, in rectangle coordinates:
// columns [x0, x1) and rows [y0, y1) counted from the rectangle's corner.
struct Visible {
    int x0 = 0;
    int x1 = 0;
    int y0 = 0;
    int y1 = 0;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Visible visiblePart(const PixelTarget& target, const TargetRect& rect) {
    if (rect.width <= 0 || rect.height <= 0 || target.width <= 0 || target.height <= 0 ||
        target.pixels.size() < std::size_t(target.width) * std::size_t(target.height)) {
        return {};
    }
    // 64-bit so that a rectangle far off the target cannot overflow.
    const auto from = [](int origin) { return std::max<std::int64_t>(0, -std::int64_t(origin)); };
    const auto to = [](int origin, int length, int limit) {
        return std::min<std::int64_t>(length, std::int64_t(limit) - origin);
    };
    Visible v;
    v.x0 = int(std::min<std::int64_t>(from(rect.left), rect.width));
    v.x1 = int(std::max<std::int64_t>(to(rect.left, rect.width, target.width), 0));
    v.y0 = int(std::min<std::int64_t>(from(rect.top), rect.height));
    v.y1 = int(std::max<std::int64_t>(to(rect.top, rect.height, target.height), 0));
    return v;
}

std::uint32_t* targetRow(const PixelTarget& target, const TargetRect& rect, int y) {
    return target.pixels.data() + std::size_t(rect.top + y) * std::size_t(target.width);
}

// Straight-alpha source over an opaque target pixel, rounded to nearest.
std::uint32_t blendOver(std::uint32_t source, std::uint32_t target) {
    const std::uint32_t alpha = source >> 24;
    if (alpha == 255) return source;
    if (alpha == 0) return target;
    std::uint32_t out = 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t s = (source >> shift) & 0xFF;
        const std::uint32_t t = (target >> shift) & 0xFF;
        out |= ((s * alpha + t * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

// Along one axis, the source pixels under each visible target pixel and how
// much of each it covers. Lengths are measured in units of 1 / (target length)
// of a source pixel, so that every overlap is a whole number: source pixel s
// spans [s × target, (s + 1) × target) and target pixel t spans
// [t × source, (t + 1) × source). The weights of one target pixel thus add up
// to the source length, whatever the ratio.
struct Span {
    int first = 0;           // first source pixel
    int count = 0;           // how many source pixels
    std::size_t offset = 0;  // where their weights start in `weights`
};

struct Spans {
    std::vector<Span> spans;  // one per visible target pixel
    std::vector<std::uint32_t> weights;
};

Spans spansAlong(int sourceLength, int targetLength, int from, int to) {
    Spans result;
    result.spans.reserve(std::size_t(to - from));
    const std::int64_t s = sourceLength;
    const std::int64_t t = targetLength;
    for (std::int64_t i = from; i < to; ++i) {
        const std::int64_t begin = i * s;
        const std::int64_t end = begin + s;
        Span span;
        span.first = int(begin / t);
        const int last = int((end - 1) / t);
        span.count = last - span.first + 1;
        span.offset = result.weights.size();
        for (std::int64_t k = span.first; k <= last; ++k) {
            const std::int64_t overlap = std::min(end, (k + 1) * t) - std::max(begin, k * t);
            result.weights.push_back(std::uint32_t(overlap));
        }
        result.spans.push_back(span);
    }
    return result;
}

// Weighted sums of alpha and of colour premultiplied by alpha.
struct Sums {
    Wide alpha = 0;
    Wide red = 0;
    Wide green = 0;
    Wide blue = 0;
};

}  // namespace

void stretchHalftone(const Picture& source, PixelTarget target, TargetRect rect) {
    if (!usable(source)) return;
    const Visible visible = visiblePart(target, rect);
    if (visible.empty()) return;

    const Spans columns = spansAlong(source.width, rect.width, visible.x0, visible.x1);
    const Spans rows = spansAlong(source.height, rect.height, visible.y0, visible.y1);
    const std::size_t columnCount = columns.spans.size();

    // Every target pixel's weights add up to the source area; with colour
    // premultiplied by alpha a full, opaque target pixel sums to 255 × 255 ×
    // area, which fits 64 bits for any picture that fits in memory.
    const Wide area = Wide(source.width) * Wide(source.height);
    const Wide full = 255 * area;  // alpha sum of an opaque target pixel
    const Wide half = full / 2;

    std::vector<Sums> sums(columnCount);
    for (std::size_t y = 0; y < rows.spans.size(); ++y) {
        std::fill(sums.begin(), sums.end(), Sums{});
        const Span& rowSpan = rows.spans[y];
        for (int k = 0; k < rowSpan.count; ++k) {
            const Wide rowWeight = rows.weights[rowSpan.offset + std::size_t(k)];
            const std::uint32_t* sourceRow =
                source.pixels.data() + std::size_t(rowSpan.first + k) * std::size_t(source.width);
            // One source row into the column bins, then into the target row's
            // sums with the row's own weight.
            for (std::size_t x = 0; x < columnCount; ++x) {
                const Span& span = columns.spans[x];
                const std::uint32_t* pixel = sourceRow + span.first;
                const std::uint32_t* weight = columns.weights.data() + span.offset;
                Sums line;
                for (int i = 0; i < span.count; ++i) {
                    const std::uint32_t p = pixel[i];
                    const Wide w = Wide(weight[i]) * (p >> 24);
                    line.alpha += w;
                    line.red += w * ((p >> 16) & 0xFF);
                    line.green += w * ((p >> 8) & 0xFF);
                    line.blue += w * (p & 0xFF);
                }
                Sums& bin = sums[x];
                bin.alpha += rowWeight * line.alpha;
                bin.red += rowWeight * line.red;
                bin.green += rowWeight * line.green;
                bin.blue += rowWeight * line.blue;
            }
        }
        // Average premultiplied colour plus the old pixel times the uncovered
        // alpha: (sum + old × (full − alpha sum)) ÷ full, rounded to nearest.
        std::uint32_t* out =
            targetRow(target, rect, visible.y0 + int(y)) + (rect.left + visible.x0);
        for (std::size_t x = 0; x < columnCount; ++x) {
            const Sums& bin = sums[x];
            const Wide keep = full - bin.alpha;
            const std::uint32_t old = out[x];
            const auto channel = [&](Wide sum, int shift) {
                return std::uint32_t((sum + Wide((old >> shift) & 0xFF) * keep + half) / full)
                       << shift;
            };
            out[x] =
                0xFF000000u | channel(bin.red, 16) | channel(bin.green, 8) | channel(bin.blue, 0);
        }
    }
}

void stretchColourOnColour(const Picture& source, PixelTarget target, TargetRect rect) {
    if (!usable(source)) return;
    const Visible visible = visiblePart(target, rect);
    if (visible.empty()) return;

    // Source x = floor(tx × source width ÷ rect width), tx counted from the
    // rectangle's left; rows alike.
    std::vector<int> sourceColumns;
    sourceColumns.reserve(std::size_t(visible.x1 - visible.x0));
    for (int x = visible.x0; x < visible.x1; ++x) {
        sourceColumns.push_back(int(std::int64_t(x) * source.width / rect.width));
    }
    for (int y = visible.y0; y < visible.y1; ++y) {
        const int sourceY = int(std::int64_t(y) * source.height / rect.height);
        const std::uint32_t* sourceRow =
            source.pixels.data() + std::size_t(sourceY) * std::size_t(source.width);
        std::uint32_t* out = targetRow(target, rect, y) + (rect.left + visible.x0);
        for (std::size_t x = 0; x < sourceColumns.size(); ++x) {
            out[x] = blendOver(sourceRow[sourceColumns[x]], out[x]);
        }
    }
}

}  // namespace pexor
