#include "resources/window_icon.h"

#include <algorithm>

#include "resources/icon_templates.h"

namespace pexor::resources {
namespace {

struct Rgb {
    int r, g, b;
};

Rgb mix(Rgb a, Rgb b, int t, int of) {
    return {a.r + (b.r - a.r) * t / of, a.g + (b.g - a.g) * t / of, a.b + (b.b - a.b) * t / of};
}

// The colour at (x, y), y from the top.
Rgb pixelAt(int x, int y) {
    const Rgb frame{40, 64, 120};
    if (x == 0 || y == 0 || x == 31 || y == 31) return frame;
    if (x == 1 || y == 1 || x == 30 || y == 30) return {236, 240, 248};
    // Sky fading to the horizon.
    Rgb c = mix({70, 130, 220}, {180, 215, 250}, y, 30);
    // The sun.
    const int dx = x - 22, dy = y - 9;
    if (dx * dx + dy * dy <= 16) c = {255, 206, 60};
    // Two hills.
    const int hill1 = 18 + std::abs(x - 9) * 2 / 3;
    const int hill2 = 21 + std::abs(x - 23) / 2;
    if (y >= hill1) c = {60, 150, 70};
    if (y >= hill2) c = {40, 120, 55};
    // A pixel grid over the lower right corner: the picture becomes cells.
    if (x >= 18 && y >= 18 && ((x - 18) % 4 == 0 || (y - 18) % 4 == 0)) c = {250, 250, 250};
    return c;
}

std::vector<std::uint8_t> makeIcon() {
    // The 32x32 template: 3262 bytes from offset 894 of the block.
    std::vector<std::uint8_t> icon(iconTemplates.begin() + 894, iconTemplates.begin() + 894 + 3262);
    for (int row = 0; row < 32; ++row) {      // bottom-up rows
        for (int x = 0; x < 32; ++x) {
            const Rgb c = pixelAt(x, 31 - row);
            const std::size_t p = 62 + static_cast<std::size_t>(row * 96 + x * 3);
            icon[p] = static_cast<std::uint8_t>(c.b);
            icon[p + 1] = static_cast<std::uint8_t>(c.g);
            icon[p + 2] = static_cast<std::uint8_t>(c.r);
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
