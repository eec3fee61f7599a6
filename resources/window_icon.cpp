#include "resources/window_icon.h"

#include <algorithm>
#include <cmath>

#include "resources/icon_templates.h"

namespace pexor::resources {
namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The colour at (u, v) in units of the 32-pixel design, v from the top; `px`
// is the size of one output pixel in those units, so lines stay one output
// pixel wide at every size.
Rgb designAt(double u, double v, double px) {
    const double frame = std::max(1.0, px);
    if (u < frame || v < frame || u >= 32 - frame || v >= 32 - frame) return {40, 64, 120};
    if (u < 2 * frame || v < 2 * frame || u >= 32 - 2 * frame || v >= 32 - 2 * frame)
        return {236, 240, 248};
    Rgb c = mix({70, 130, 220}, {180, 215, 250}, v / 30);  // sky to the horizon
    const double du = u - 22.5, dv = v - 9.5;
    if (du * du + dv * dv <= 4.5 * 4.5) c = {255, 206, 60};  // the sun
    if (v >= 18.5 + std::abs(u - 9.5) * 2 / 3) c = {60, 150, 70};  // far hill
    if (v >= 21.5 + std::abs(u - 23.5) / 2) c = {40, 120, 55};     // near hill
    // The grid: lines every 4 units from 18, one output pixel wide.
    if (u >= 18 && v >= 18 && u < 30 && v < 30) {
        const double gu = std::fmod(u - 18, 4), gv = std::fmod(v - 18, 4);
        if (gu < std::max(1.0, px) || gv < std::max(1.0, px)) c = {250, 250, 250};
    }
    return c;
}

}  // namespace

std::vector<std::uint32_t> renderIconDesign(int size) {
    // Four by four samples per pixel, except at the design's own size, where
    // each pixel is its centre sample and the icon stays crisp.
    const int samples = size == 32 ? 1 : 4;
    const double px = 32.0 / size;
    std::vector<std::uint32_t> out(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum{0, 0, 0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Rgb c = designAt((x + (sx + 0.5) / samples) * px,
                                           (y + (sy + 0.5) / samples) * px, px);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            const double n = samples * samples;
            const auto channel = [n](double v) {
                return static_cast<std::uint32_t>(std::lround(v / n)) & 0xFF;
            };
            out[static_cast<std::size_t>(y * size + x)] =
                0xFF000000u | channel(sum.r) << 16 | channel(sum.g) << 8 | channel(sum.b);
        }
    }
    return out;
}

namespace {

std::vector<std::uint8_t> makeIcon() {
    // The 32x32 template: 3262 bytes from offset 894 of the block.
    std::vector<std::uint8_t> icon(iconTemplates.begin() + 894, iconTemplates.begin() + 894 + 3262);
    const std::vector<std::uint32_t> pixels = renderIconDesign(32);
    for (int row = 0; row < 32; ++row) {  // rows bottom-up
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t c = pixels[static_cast<std::size_t>((31 - row) * 32 + x)];
            const std::size_t p = 62 + static_cast<std::size_t>(row * 96 + x * 3);
            icon[p] = c & 0xFF;
            icon[p + 1] = (c >> 8) & 0xFF;
            icon[p + 2] = (c >> 16) & 0xFF;
        }
    }
    return icon;
}

}  // namespace

const std::vector<std::uint8_t>& windowIcon() {
    static const std::vector<std::uint8_t> icon = makeIcon();
    return icon;
}

}  // namespace pexor::resources
