#pragma once

#include <cstdint>

namespace pexor {

// 0x00BBGGRR: red in the low byte. Its little-endian bytes are red, green,
// blue, 0.
using ColourValue = std::uint32_t;

// Marks a control's default colour; drawn as the button-face colour and read
// back unchanged.
inline constexpr ColourValue kDefaultColour = 0xFF000000u;

constexpr ColourValue rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return ColourValue(blue) << 16 | ColourValue(green) << 8 | red;
}
constexpr std::uint8_t redOf(ColourValue c) { return c & 0xFF; }
constexpr std::uint8_t greenOf(ColourValue c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t blueOf(ColourValue c) { return (c >> 16) & 0xFF; }

// Pixels of surfaces and decoded pictures are 0xAARRGGBB, the layout of
// QImage::Format_RGB32/ARGB32, so the widgets show them without conversion.
constexpr std::uint32_t argbOf(ColourValue c) {
    return 0xFF000000u | std::uint32_t(redOf(c)) << 16 | std::uint32_t(greenOf(c)) << 8 |
           blueOf(c);
}
constexpr ColourValue colourOfArgb(std::uint32_t argb) {
    return rgb((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// The system's button-face colour. The window layer installs a provider that
// reads the application palette at the moment of drawing; without one (plain
// tests) it is the classic RGB(240, 240, 240).
using FaceColourProvider = ColourValue (*)();
void setFaceColourProvider(FaceColourProvider provider);
ColourValue faceColour();

// A colour as drawn: the default marker becomes the button-face colour.
inline ColourValue resolveColour(ColourValue c) {
    return c == kDefaultColour ? faceColour() : (c & 0x00FFFFFFu);
}

}  // namespace pexor
