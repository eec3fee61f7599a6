#pragma once

#include "runtime/picture/decode.h"

namespace pexor {

// The format's short name as errors and tests print it ("BMP", "none", ...).
const char* pictureFormatName(PictureFormat format);

}  // namespace pexor
