#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "runtime/bytes.h"

namespace pexor::test {

// A 24-bit bottom-up BMP file; `pixel(x, y)` gives 0xRRGGBB with y from the top.
ByteBuffer makeBmp24(int width, int height, const std::function<std::uint32_t(int, int)>& pixel);

// Writes bytes to a file in a fresh temporary folder kept for the test run
// and returns its path.
std::string writeTempFile(const std::string& name, const ByteBuffer& bytes);
std::string tempFolder();

// A deterministic pattern with every channel varied.
std::uint32_t patternPixel(int x, int y);

}  // namespace pexor::test
