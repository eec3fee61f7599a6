// The hot paths, each on inputs made here: decoding every format, the
// halftone stretch, the snapshot, extraction into a template, colour grids
// and cell patching.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <gif_lib.h>

#include <cstring>
#include <vector>

#include "icon/cell_patch.h"
#include "icon/colour_grid.h"
#include "icon/extraction.h"
#include "icon/templates.h"
#include "runtime/picture/decode.h"
#include "runtime/stretch.h"
#include "runtime/surface.h"

namespace {

using namespace pexor;

// A smooth, photo-like pattern with some detail.
std::uint32_t photoPixel(int x, int y) {
    const auto r = static_cast<std::uint32_t>((x / 3 + y / 5) & 0xFF);
    const auto g = static_cast<std::uint32_t>(((x * y) >> 9) & 0xFF);
    const auto b = static_cast<std::uint32_t>((255 - y / 4 + x % 7) & 0xFF);
    return r << 16 | g << 8 | b;
}

QImage photo(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) line[x] = 0xFF000000u | photoPixel(x, y);
    }
    return image;
}

ByteBuffer encoded(const QImage& image, const char* format, int quality = -1) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return ByteBuffer(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                      static_cast<std::size_t>(data.size())));
}

// 8-bit PCX: run-length rows and the palette at the end.
ByteBuffer pcx8(int w, int h) {
    std::vector<std::uint8_t> b(128, 0);
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = 1;
    b[3] = 8;
    b[8] = static_cast<std::uint8_t>((w - 1) & 0xFF);
    b[9] = static_cast<std::uint8_t>((w - 1) >> 8);
    b[10] = static_cast<std::uint8_t>((h - 1) & 0xFF);
    b[11] = static_cast<std::uint8_t>((h - 1) >> 8);
    b[65] = 1;
    const int bpl = (w + 1) & ~1;
    b[66] = static_cast<std::uint8_t>(bpl & 0xFF);
    b[67] = static_cast<std::uint8_t>(bpl >> 8);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < bpl; ++x) {
            const auto v = static_cast<std::uint8_t>((x / 8 + y / 8) & 0xFF);
            if (v >= 0xC0) b.push_back(0xC1);
            b.push_back(v);
        }
    }
    b.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
        b.push_back(static_cast<std::uint8_t>(i));
        b.push_back(static_cast<std::uint8_t>(255 - i));
        b.push_back(static_cast<std::uint8_t>(i / 2));
    }
    return ByteBuffer(std::move(b));
}

// GIF through giflib's encoder, into memory.
ByteBuffer gif(int w, int h) {
    std::vector<std::uint8_t> out;
    auto write = [](GifFileType* f, const GifByteType* data, int n) {
        auto* v = static_cast<std::vector<std::uint8_t>*>(f->UserData);
        v->insert(v->end(), data, data + n);
        return n;
    };
    int error = 0;
    GifFileType* file = EGifOpen(&out, write, &error);
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i),
                      static_cast<GifByteType>(i / 2)};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    EGifPutScreenDesc(file, w, h, 8, 0, map);
    EGifPutImageDesc(file, 0, 0, w, h, false, nullptr);
    std::vector<GifPixelType> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>((x / 8 + y / 8) & 0xFF);
        EGifPutLine(file, line.data(), w);
    }
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
    return ByteBuffer(std::move(out));
}

void decodeBench(benchmark::State& state, const ByteBuffer& bytes, DecodeHint hint) {
    for (auto _ : state) {
        PictureResult r = decodePicture(bytes.span(), hint);
        if (!r.ok()) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.picture);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_DecodeJpeg1080p(benchmark::State& s) {
    static const ByteBuffer b = encoded(photo(1920, 1080), "JPG", 90);
    decodeBench(s, b, {});
}
void BM_DecodeJpeg1080pForPreview(benchmark::State& s) {
    static const ByteBuffer b = encoded(photo(1920, 1080), "JPG", 90);
    decodeBench(s, b, {84, 84});
}
void BM_DecodeBmp1080p(benchmark::State& s) {
    static const ByteBuffer b = encoded(photo(1920, 1080), "BMP");
    decodeBench(s, b, {84, 84});
}
void BM_DecodeGif1024x768(benchmark::State& s) {
    static const ByteBuffer b = gif(1024, 768);
    decodeBench(s, b, {84, 84});
}
void BM_DecodePcx1024x768(benchmark::State& s) {
    static const ByteBuffer b = pcx8(1024, 768);
    decodeBench(s, b, {84, 84});
}
void BM_DecodeIco32(benchmark::State& s) {
    static const ByteBuffer b = template32();
    decodeBench(s, b, {84, 84});
}

Picture pictureOf(int w, int h) {
    Picture p{w, h,
              std::vector<std::uint32_t>(static_cast<std::size_t>(w) * static_cast<std::size_t>(h)),
              false};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.pixels[static_cast<std::size_t>(y * w + x)] = 0xFF000000u | photoPixel(x, y);
    return p;
}

void BM_StretchHalftone1080pTo32(benchmark::State& s) {
    static const Picture p = pictureOf(1920, 1080);
    Surface surface(32, 32, 0);
    for (auto _ : s) surface.drawPicture(&p, 0, 0, 32, 32, StretchMode::Halftone);
    s.SetItemsProcessed(static_cast<std::int64_t>(s.iterations() * p.pixels.size()));
}

void BM_Snapshot32(benchmark::State& s) {
    Surface surface(32, 32, 0x123456);
    for (auto _ : s) benchmark::DoNotOptimize(surface.snapshot());
}

void BM_ExtractPairFromPreview(benchmark::State& s) {
    Surface preview(84, 84);
    preview.setBackgroundPicture(encoded(photo(640, 480), "BMP"));
    Surface icon16(16, 16), icon32(32, 32);
    for (auto _ : s) {
        Extraction e = extractPair(preview, preview, icon16, icon32, StretchMode::Halftone);
        benchmark::DoNotOptimize(e.icon);
    }
}

void BM_PreviewRepaintFromKeptImage(benchmark::State& s) {
    // A preview shows its kept image; a repaint only copies 84 x 84 pixels.
    Surface preview(84, 84);
    preview.setBackgroundPicture(encoded(photo(1920, 1080), "JPG", 90));
    std::vector<std::uint32_t> screen(84 * 84);
    for (auto _ : s) {
        std::memcpy(screen.data(), preview.pixels().data(), screen.size() * 4);
        benchmark::DoNotOptimize(screen.data());
    }
}

void BM_PreviewClearWithPicture(benchmark::State& s) {
    // Clear re-fits the kept decoded picture; it never decodes again.
    Surface preview(84, 84);
    preview.setBackgroundPicture(encoded(photo(1920, 1080), "JPG", 90));
    for (auto _ : s) preview.clear();
}

void BM_BuildColourGrid32(benchmark::State& s) {
    const PixelBlock block(std::vector<std::uint8_t>(3072, 0x5A));
    for (auto _ : s) benchmark::DoNotOptimize(buildColourGrid(block, 32));
}

void BM_PatchIconCell32(benchmark::State& s) {
    const ByteBuffer icon = template32();
    int i = 0;
    for (auto _ : s) {
        benchmark::DoNotOptimize(
            patchIconCell(icon, 32, i % 32 + 1, (i / 32) % 32 + 1, Pen::Transparent, 0));
        ++i;
    }
}

}  // namespace

BENCHMARK(BM_DecodeJpeg1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeJpeg1080pForPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeBmp1080p)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeGif1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePcx1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeIco32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StretchHalftone1080pTo32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Snapshot32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExtractPairFromPreview)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreviewRepaintFromKeptImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PreviewClearWithPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildColourGrid32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PatchIconCell32)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // QImage encodes the JPEG inputs; it needs an application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
