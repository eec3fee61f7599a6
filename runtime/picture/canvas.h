#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "runtime/picture/picture.h"

namespace pexor {

// The largest picture any decoder makes. 100 megapixels is 400 MB of pixels,
// well above any camera photo or scan someone would turn into an icon, yet
// small enough to hold in memory; it also keeps width * height * 4 below
// 2^31, so the pixels fit a QImage and every int-sized index over them. A
// side may not exceed 65535 pixels, the most that GIF, ICO and PCX headers
// can say, so a BMP or icon DIB cannot claim a stripe millions of pixels long.
inline constexpr std::int64_t kMaxPictureSide = 65535;
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;

// Empty when a picture of this size may be decoded, else the reason it may
// not, beginning with the format's name ("GIF", "BMP", ...). Decoders call it
// right after reading the header, before allocating anything the size of the
// picture.
std::string pictureSizeFault(const char* format, std::int64_t width, std::int64_t height);

// Whether `dataBytes` of compressed data could fill `pixels` pixels at all,
// for a format that packs at most `pixelsPerByte` pixels into one byte. A
// header can claim a huge picture in a file of a few bytes; this lets a
// decoder refuse it before allocating the canvas.
bool dataCouldFill(std::uint64_t pixels, std::uint64_t dataBytes, std::uint64_t pixelsPerByte);

// A picture of a size that passed pictureSizeFault, every pixel `fill`.
std::shared_ptr<Picture> makePicture(int width, int height, std::uint32_t fill);

inline constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;

inline PictureResult pictureFault(std::string error) {
    return {nullptr, std::move(error)};
}
inline PictureResult pictureDone(std::shared_ptr<const Picture> picture) {
    return {std::move(picture), {}};
}

}  // namespace pexor
