#include "runtime/picture/canvas.h"

#include "runtime/huge_pages.h"
#include "runtime/picture/checked.h"

namespace pexor {

std::string pictureSizeFault(const char* format, std::int64_t width, std::int64_t height) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0)
        return std::string(format) + " picture has no pixels (" + size + ")";
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        return std::string(format) + " picture too large: " + size + " pixels, more than " +
               std::to_string(kMaxPictureSide) + " on a side";
    }
    if (width * height > kMaxPicturePixels) {
        return std::string(format) + " picture too large: " + size + " pixels, more than " +
               std::to_string(kMaxPicturePixels / 1'000'000) + " megapixels";
    }
    return {};
}

bool dataCouldFill(std::uint64_t pixels, std::uint64_t dataBytes, std::uint64_t pixelsPerByte) {
    const auto most = checkedMul(dataBytes, pixelsPerByte);
    return !most || *most >= pixels;
}

std::shared_ptr<Picture> makePicture(int width, int height, std::uint32_t fill) {
    auto picture = std::make_shared<Picture>();
    picture->width = width;
    picture->height = height;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    picture->pixels.reserve(count);
    adviseHugePages(picture->pixels.data(), count * sizeof(std::uint32_t));
    picture->pixels.assign(count, fill);
    return picture;
}

}  // namespace pexor
