#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/bytes.h"
#include "runtime/colour.h"
#include "runtime/picture/picture.h"

namespace pexor {

// How a picture is shrunk onto a surface: halftone averages the source pixels
// each target pixel covers (displays over 16 bits per pixel); colour-on-colour
// takes one source pixel per target pixel.
enum class StretchMode { Halftone, ColourOnColour };

enum class PenStyle { Solid, Dotted };

// A drawing surface: a 32-bit off-screen image (pixels 0xFFRRGGBB, rows
// top-down) with a background colour and an optional background picture (the
// bytes of a picture file). Plain C++; the widget in ui code only shows it.
class Surface {
public:
    Surface(int width, int height, ColourValue background = kDefaultColour);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<std::uint32_t>& pixels() const { return pixels_; }
    std::uint32_t pixel(int x, int y) const;  // 0xFFRRGGBB; 0 outside

    ColourValue backgroundColour() const { return background_; }
    void setBackgroundColour(ColourValue colour);  // takes effect at the next clear

    // The picture file shown centred (scaled down to fit, never enlarged).
    // Setting it rebuilds the image from the background colour and picture,
    // dropping what had been drawn. Bytes that are no picture are kept as
    // they are and show nothing.
    const ByteBuffer& backgroundPicture() const { return backgroundBytes_; }
    bool backgroundIsPicture() const { return backgroundPicture_ != nullptr; }
    // The background picture as decoded once for showing; null when there is
    // none or the bytes are no picture.
    const std::shared_ptr<const Picture>& decodedBackground() const { return backgroundPicture_; }
    void setBackgroundPicture(ByteBuffer bytes);

    // Background colour over the whole surface, then the background picture.
    void clear();

    // The whole picture stretched to the rectangle; transparent icon pixels
    // leave the surface's content. A null picture draws nothing.
    void drawPicture(const Picture* picture, int left, int top, int width, int height,
                     StretchMode mode);

    void setPen(PenStyle style, ColourValue colour);
    void setBrush(ColourValue colour);  // solid fill
    ColourValue brushColour() const { return brushColour_; }
    void setHollowBrush();              // no fill
    // Outline in the pen, inside in the brush; right and bottom exclusive.
    void drawRectangle(int left, int top, int right, int bottom);
    void drawPoint(int x, int y, ColourValue colour);

    // A complete 24-bit bottom-up BMP file of the image.
    ByteBuffer snapshot() const;

private:
    int width_;
    int height_;
    ColourValue background_;
    std::vector<std::uint32_t> pixels_;
    ByteBuffer backgroundBytes_;
    std::shared_ptr<const Picture> backgroundPicture_;
    PenStyle penStyle_ = PenStyle::Solid;
    ColourValue penColour_ = 0;
    bool hollowBrush_ = false;
    ColourValue brushColour_ = 0xFFFFFF;
};

}  // namespace pexor
