#include "runtime/picture/jpeg.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>
#include <vector>

#include "runtime/picture/canvas.h"
#include "runtime/picture/checked.h"

namespace pexor {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return. Ours jumps back to the setjmp in whichever step is running. Those
// steps hold only plain data, so the jump skips no destructor; each returns
// false and the caller turns the stored message into an error value.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onFatalError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (a file cut short, a bad restart marker) are not errors: libjpeg
// pads the missing data and carries on, and the picture shows what decoded.
void onMessage(j_common_ptr, int) {}

// Even a flat picture takes a few bits per 8 x 8 block (a few hundred
// pixels per byte at best), so a header claiming more than this many pixels
// per byte of file is a lie or a file cut down to almost nothing; either way
// it would cost a full-size canvas (and, for a progressive file, libjpeg's
// full-size coefficient buffers) to show grey.
constexpr std::uint64_t kMostPixelsPerByte = 1024;

// Plain data only; it lives across the steps below.
struct Session {
    jpeg_decompress_struct info;
    ErrorManager errors;
    bool created;
    bool cmyk;
};

// The hint asks for a picture no larger than maxWidth x maxHeight. libjpeg
// can decode straight to M/8 of the size, far faster than decoding it whole
// and shrinking; we pick the smallest M that still leaves at least four
// source pixels per target pixel in each bounded direction, so the later
// smoothing scale-down has enough to work with.
constexpr unsigned kSourcePixelsPerTarget = 4;

bool fitsHint(const jpeg_decompress_struct& info, DecodeHint hint) {
    const auto enough = [](JDIMENSION got, int bound) {
        return bound <= 0 || std::uint64_t(got) >= std::uint64_t(bound) * kSourcePixelsPerTarget;
    };
    return enough(info.output_width, hint.maxWidth) && enough(info.output_height, hint.maxHeight);
}

bool readHeader(Session& s, const std::uint8_t* data, unsigned long size, DecodeHint hint) {
    if (setjmp(s.errors.jump)) return false;
    jpeg_create_decompress(&s.info);
    s.created = true;
    jpeg_mem_src(&s.info, data, size);
    jpeg_read_header(&s.info, TRUE);

    // CMYK and YCCK (which libjpeg turns into CMYK) are converted by hand;
    // everything else comes out as B, G, R, 255 bytes, which are the 32-bit
    // little-endian 0xAARRGGBB our pictures hold.
    s.cmyk = s.info.jpeg_color_space == JCS_CMYK || s.info.jpeg_color_space == JCS_YCCK;
    s.info.out_color_space = s.cmyk ? JCS_CMYK : JCS_EXT_BGRA;

    s.info.scale_denom = 8;
    s.info.scale_num = 8;
    if (hint.maxWidth > 0 || hint.maxHeight > 0) {
        for (unsigned num = 1; num <= 8; ++num) {
            s.info.scale_num = num;
            jpeg_calc_output_dimensions(&s.info);
            if (fitsHint(s.info, hint)) break;
        }
    }
    jpeg_calc_output_dimensions(&s.info);
    return true;
}

// Inverted CMYK, as Adobe writes it (and libjpeg returns for every CMYK and
// YCCK file that carries Adobe's marker): 255 means no ink. Without the
// marker, 255 means full ink.
void cmykToArgb(const JSAMPLE* in, std::uint32_t* out, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        const auto channel = [k](unsigned v) { return (v * k + 127) / 255; };
        out[x] = 0xFF000000u | channel(c) << 16 | channel(m) << 8 | channel(y);
    }
}

// For a progressive file this reads the whole file, where most broken data
// shows, before the picture is allocated.
bool startDecompress(Session& s) {
    if (setjmp(s.errors.jump)) return false;
    jpeg_start_decompress(&s.info);
    return true;
}

// Decodes every row into `pixels` (output_width x output_height). A file
// cut short decodes to its end, then libjpeg fills in grey. There is no
// jpeg_finish_decompress: nothing after the last row matters, and
// jpeg_destroy_decompress frees the rest.
bool readPixels(Session& s, std::uint32_t* pixels, JSAMPLE* cmykRow) {
    if (setjmp(s.errors.jump)) return false;
    const bool inverted = s.info.saw_Adobe_marker;
    while (s.info.output_scanline < s.info.output_height) {
        std::uint32_t* out = pixels + std::size_t(s.info.output_scanline) * s.info.output_width;
        JSAMPROW row = s.cmyk ? cmykRow : reinterpret_cast<JSAMPROW>(out);
        if (jpeg_read_scanlines(&s.info, &row, 1) != 1) break;
        if (s.cmyk) cmykToArgb(cmykRow, out, s.info.output_width, inverted);
    }
    return true;
}

}  // namespace

PictureResult decodeJpeg(std::span<const std::uint8_t> bytes, DecodeHint hint) {
    Session s{};
    s.info.err = jpeg_std_error(&s.errors.base);
    s.errors.base.error_exit = onFatalError;
    s.errors.base.emit_message = onMessage;
    struct Destroy {
        Session& s;
        ~Destroy() {
            if (s.created) jpeg_destroy_decompress(&s.info);
        }
    } destroy{s};
    auto failure = [&](const char* what) {
        return pictureFault(std::string("JPEG ") + what + ": " + s.errors.message);
    };

    if (!readHeader(s, bytes.data(), static_cast<unsigned long>(bytes.size()), hint)) {
        return failure("header unreadable");
    }
    // The full size is checked, not the scaled one: libjpeg's working memory
    // for a progressive file grows with the full size.
    if (auto fault = pictureSizeFault("JPEG", s.info.image_width, s.info.image_height);
        !fault.empty()) {
        return pictureFault(fault);
    }
    if (!dataCouldFill(std::uint64_t(s.info.image_width) * s.info.image_height, bytes.size(),
                       kMostPixelsPerByte)) {
        return pictureFault("JPEG data far too short for the picture size");
    }
    if (!startDecompress(s)) return failure("data unreadable");
    auto picture = makePicture(int(s.info.output_width), int(s.info.output_height), kOpaqueBlack);
    picture->fullWidth = int(s.info.image_width);
    picture->fullHeight = int(s.info.image_height);
    std::vector<JSAMPLE> cmykRow(s.cmyk ? std::size_t(s.info.output_width) * 4 : 0);
    // An error after some rows leaves them shown, like a file cut short.
    if (!readPixels(s, picture->pixels.data(), cmykRow.data()) && s.info.output_scanline == 0) {
        return failure("data unreadable");
    }
    return pictureDone(std::move(picture));
}

}  // namespace pexor
