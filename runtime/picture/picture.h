#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace pexor {

enum class PictureFormat { None, Bmp, Jpeg, Ico, Cur, Gif, Pcx };

// A decoded picture: pixels 0xAARRGGBB (straight alpha), rows top-down.
// Alpha is 255 everywhere except in icon and cursor images, where the AND
// mask gives 0 and a 32-bit image gives its own alpha.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool hasTransparency = false;
    // The size the file states, where a decoder made a smaller picture for a
    // hint (0: the picture's own size). Fitting into a preview goes by it.
    int fullWidth = 0;
    int fullHeight = 0;
};

// The largest size the caller will draw the picture at; 0 means full size.
// A decoder may then decode at a reduced size (never below these bounds).
struct DecodeHint {
    int maxWidth = 0;
    int maxHeight = 0;
};

// Either a picture or a short message naming the fault.
struct PictureResult {
    std::shared_ptr<const Picture> picture;
    std::string error;
    bool ok() const { return picture != nullptr; }
};

}  // namespace pexor
