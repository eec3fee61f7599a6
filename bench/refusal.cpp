// What refusing a hostile picture costs: the time, and the peak memory of a
// process that does nothing else. The files are read with readWholeFile, as
// the program reads a chosen picture, and given to decodePicture.
//
// Peak memory is measured in a child process per case, so that one case's
// peak does not hide the next: the child reads and decodes the file once and
// ends, and wait4 gives its ru_maxrss. `peak_MB` is that peak, `over_idle_MB`
// what it is above a child that only forks and ends (the benchmark's own
// pages). The time is of the whole read and refusal, in this process.
//
//   build/bench/pexor_bench_refusal [--benchmark_filter=...]
//
// For one case outside the benchmark, /usr/bin/time -v (its "Maximum resident
// set size") over `build/bench/pexor_extract FILE OUT.ico` gives the same
// figure for the program's whole extraction path.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "runtime/picture/decode.h"

namespace {

std::vector<std::uint8_t> corpusFile(const std::string& name) {
    std::ifstream in(std::string(PEXOR_PICTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put16(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) {
    b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8);
}
void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF), put16(b, at + 2, v >> 16);
}
void put16be(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) {
    b[at] = std::uint8_t(v >> 8), b[at + 1] = std::uint8_t(v);
}

// A file in the temporary folder, removed at the end of the run.
struct TempFile {
    std::string path;
    explicit TempFile(const std::string& name)
        : path(std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
               "/pexor-refusal-" + std::to_string(::getpid()) + "-" + name) {}
    ~TempFile() { ::unlink(path.c_str()); }
};

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// `size` bytes of junk: 64 KB of random bytes that sniff as no format, then
// a hole of zeros up to the size (sparse, so the file costs no disk).
void writeJunk(const std::string& path, std::int64_t size) {
    std::vector<std::uint8_t> head(64 * 1024);
    std::mt19937 random(7);
    for (auto& b : head) b = std::uint8_t(random());
    head[0] = 'x';
    writeFile(path, head);
    if (::truncate(path.c_str(), size) != 0) std::abort();
}

bool readAndRefuse(const std::string& path) {
    const pexor::ByteBuffer bytes = pexor::readWholeFile(path);
    return !pexor::decodePicture(bytes.span()).ok();
}

long peakKilobytes(const std::string& path) {
    const pid_t child = ::fork();
    if (child == 0) _exit(path.empty() || readAndRefuse(path) ? 0 : 1);
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

void measure(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        if (!readAndRefuse(path)) {
            state.SkipWithError("the file was decoded, not refused");
            return;
        }
    }
    static const long idle = peakKilobytes({});
    const long peak = peakKilobytes(path);
    state.counters["peak_MB"] = double(peak) / 1024;
    state.counters["over_idle_MB"] = double(peak - idle) / 1024;
}

void BM_RefuseJunk(benchmark::State& state) {
    TempFile file("junk");
    writeJunk(file.path, state.range(0));
    measure(state, file.path);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RefuseJunk)
    ->Arg(1 << 20)
    ->Arg(64 << 20)
    ->Arg(std::int64_t(1) << 30)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Real pictures whose headers claim far more than they hold. Those over the
// cap (100 megapixels, 65535 on a side) are refused from the header; those
// under it from the data they lack, before the canvas is made.
enum Claim {
    GifOverCap,
    GifLittleData,
    PcxOverCap,
    PcxLittleData,
    BmpOverCap,
    BmpRunsLittleData,
    JpegOverCap,
    JpegLittleData
};

std::vector<std::uint8_t> claimFile(Claim claim) {
    switch (claim) {
        case GifOverCap: {
            auto gif = corpusFile("gif/pygif/gif87a.gif");
            put16(gif, 6, 65535), put16(gif, 8, 65535);  // logical screen
            return gif;
        }
        case GifLittleData: {
            auto gif = corpusFile("gif/pillow/hopper.gif");
            put16(gif, 6, 10000), put16(gif, 8, 10000);
            return gif;
        }
        case PcxOverCap: {
            auto pcx = corpusFile("pcx/kimageformats/indexed8.pcx");
            put16(pcx, 8, 65535), put16(pcx, 10, 65535);  // right and bottom edges
            return pcx;
        }
        case PcxLittleData: {
            auto pcx = corpusFile("pcx/kimageformats/indexed8.pcx");
            put16(pcx, 8, 9999), put16(pcx, 10, 9999), put16(pcx, 66, 10000);
            return pcx;
        }
        case BmpOverCap: {
            auto bmp = corpusFile("bmpsuite/g/pal8.bmp");
            put32(bmp, 18, 100000), put32(bmp, 22, 100000);
            return bmp;
        }
        case BmpRunsLittleData: {
            auto bmp = corpusFile("bmpsuite/g/pal8rle.bmp");
            put32(bmp, 18, 10000), put32(bmp, 22, 10000);
            return bmp;
        }
        case JpegOverCap:
        case JpegLittleData: {
            auto jpeg = corpusFile("jpeg/libjpeg-turbo/testorig.jpg");
            const std::size_t sof = 0x9E;  // the baseline frame header
            if (claim == JpegOverCap)
                put16be(jpeg, sof + 5, 65500), put16be(jpeg, sof + 7, 65500);
            else
                put16be(jpeg, sof + 5, 5000), put16be(jpeg, sof + 7, 20000);
            return jpeg;
        }
    }
    return {};
}

void BM_RefuseHugeClaim(benchmark::State& state) {
    static const char* const names[] = {"GIF 65535x65535",   "GIF 10000x10000, 15 KB",
                                        "PCX 65535x65535",   "PCX 10000x10000, 9 KB",
                                        "BMP 100000x100000", "BMP RLE 10000x10000, 9 KB",
                                        "JPEG 65500x65500",  "JPEG 20000x5000, 5 KB"};
    const auto claim = Claim(state.range(0));
    state.SetLabel(names[claim]);
    TempFile file("claim");
    writeFile(file.path, claimFile(claim));
    measure(state, file.path);
}
BENCHMARK(BM_RefuseHugeClaim)
    ->DenseRange(GifOverCap, JpegLittleData)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
