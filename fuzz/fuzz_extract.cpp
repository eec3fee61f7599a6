// The whole way from picture bytes to icon bytes, as the main window takes
// it but without widgets: the bytes become the background picture of an
// 84x84 preview surface, and the three extractions draw it onto the 16x16
// and 32x32 icon surfaces and fill the icon templates. The icon made must be
// a complete template-sized file that reads back as a picture.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/check.h"
#include "icon/extraction.h"
#include "runtime/bytes.h"
#include "runtime/picture/decode.h"
#include "runtime/surface.h"

namespace {

void checkIcon(const pexor::ByteBuffer& icon, std::size_t size) {
    pexor::fuzz::require(icon.size() == size);
    const pexor::PictureResult back = pexor::decodePicture(icon.span());
    pexor::fuzz::require(back.ok());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const pexor::ByteBuffer bytes(std::vector<std::uint8_t>(data, data + size));
    pexor::Surface preview(84, 84);
    preview.setBackgroundPicture(bytes);
    pexor::Surface icon16(16, 16);
    pexor::Surface icon32(32, 32);

    checkIcon(pexor::extract16(preview, icon16, pexor::StretchMode::ColourOnColour).icon, 894);
    checkIcon(pexor::extract32(preview, icon32, pexor::StretchMode::Halftone).icon, 3262);
    checkIcon(
        pexor::extractPair(preview, preview, icon16, icon32, pexor::StretchMode::Halftone).icon,
        4150);
    return 0;
}
