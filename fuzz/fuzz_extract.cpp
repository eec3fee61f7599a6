// The whole way from picture bytes to icon bytes, as the main window takes
// it but without widgets: the bytes become the background picture of an
// 84x84 preview surface, and the three extractions draw it onto the 16x16
// and 32x32 icon surfaces and fill the icon templates. The icon made must be
// a complete template-sized file that reads back as a picture.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/program_state.h"
#include "fuzz/check.h"
#include "runtime/bytes.h"
#include "runtime/picture/decode.h"
#include "runtime/surface.h"
#include "ui/main/extraction.h"

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

    pexor::ProgramState state;
    pexor::extract16(state, preview, icon16, pexor::StretchMode::ColourOnColour);
    checkIcon(state.outputIcon, 894);
    pexor::extract32(state, preview, icon32, pexor::StretchMode::Halftone);
    checkIcon(state.outputIcon, 3262);
    pexor::extractPair(state, preview, preview, icon16, icon32, pexor::StretchMode::Halftone);
    checkIcon(state.outputIcon, 4150);
    pexor::releaseProgramState(state);
    return 0;
}
