#include "runtime/picture/sniff.h"

#include <array>

namespace pexor {
namespace {

constexpr int kAny = -1;

// One row per signature, walked in order; the first that matches names the
// format. Only the first six bytes are looked at, never the file name: a
// renamed file is still what its bytes say.
struct Signature {
    PictureFormat format;
    std::array<int, 6> bytes;  // kAny matches every byte
    bool (*alsoNeeds)(std::span<const std::uint8_t> head);
};

// An icon or cursor directory that lists no image is no picture.
bool listsImages(std::span<const std::uint8_t> head) {
    return head[4] != 0 || head[5] != 0;
}

// PCX versions run 0 to 5; a higher number is some other file that happens
// to start with 0x0A.
bool knownPcxVersion(std::span<const std::uint8_t> head) {
    return head[1] <= 5;
}

constexpr Signature kSignatures[] = {
    {PictureFormat::Bmp, {'B', 'M', kAny, kAny, kAny, kAny}, nullptr},
    {PictureFormat::Jpeg, {0xFF, 0xD8, kAny, kAny, kAny, kAny}, nullptr},
    {PictureFormat::Ico, {0, 0, 1, 0, kAny, kAny}, listsImages},
    {PictureFormat::Cur, {0, 0, 2, 0, kAny, kAny}, listsImages},
    {PictureFormat::Gif, {'G', 'I', 'F', '8', '7', 'a'}, nullptr},
    {PictureFormat::Gif, {'G', 'I', 'F', '8', '9', 'a'}, nullptr},
    // Run-length encoded, 8 bits per pixel in any number of planes.
    {PictureFormat::Pcx, {0x0A, kAny, 1, 8, kAny, kAny}, knownPcxVersion},
    // Version 3 (no header palette), run-length encoded, 1 bit per pixel.
    {PictureFormat::Pcx, {0x0A, 3, 1, 1, kAny, kAny}, nullptr},
};

bool matches(const Signature& signature, std::span<const std::uint8_t> head) {
    for (std::size_t i = 0; i < signature.bytes.size(); ++i) {
        if (signature.bytes[i] != kAny && signature.bytes[i] != head[i]) return false;
    }
    return signature.alsoNeeds == nullptr || signature.alsoNeeds(head);
}

}  // namespace

PictureFormat sniffPicture(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kHeadSize = 6;
    if (bytes.size() < kHeadSize) return PictureFormat::None;
    const auto head = bytes.first(kHeadSize);
    for (const auto& signature : kSignatures) {
        if (matches(signature, head)) return signature.format;
    }
    return PictureFormat::None;
}

const char* pictureFormatName(PictureFormat format) {
    switch (format) {
        case PictureFormat::None:
            return "none";
        case PictureFormat::Bmp:
            return "BMP";
        case PictureFormat::Jpeg:
            return "JPEG";
        case PictureFormat::Ico:
            return "ICO";
        case PictureFormat::Cur:
            return "CUR";
        case PictureFormat::Gif:
            return "GIF";
        case PictureFormat::Pcx:
            return "PCX";
    }
    return "none";
}

}  // namespace pexor
