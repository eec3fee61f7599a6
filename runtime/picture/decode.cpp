#include "runtime/picture/decode.h"

#include <new>

#include "runtime/picture/bmp.h"
#include "runtime/picture/gif.h"
#include "runtime/picture/ico.h"
#include "runtime/picture/jpeg.h"
#include "runtime/picture/pcx.h"

namespace pexor {

PictureResult decodePicture(std::span<const std::uint8_t> bytes, DecodeHint hint) {
    try {
        switch (sniffPicture(bytes)) {
            case PictureFormat::Bmp:
                return decodeBmp(bytes, hint);
            case PictureFormat::Jpeg:
                return decodeJpeg(bytes, hint);
            case PictureFormat::Ico:
            case PictureFormat::Cur:
                return decodeIco(bytes);
            case PictureFormat::Gif:
                return decodeGif(bytes);
            case PictureFormat::Pcx:
                return decodePcx(bytes);
            case PictureFormat::None:
                break;
        }
        return {nullptr, "not a picture format we read"};
    } catch (const std::bad_alloc&) {
        // Sizes are capped well below what a desktop can hold, but memory
        // may still run out; that is a picture we can't show, not a crash.
        return {nullptr, "not enough memory for the picture"};
    }
}

}  // namespace pexor
