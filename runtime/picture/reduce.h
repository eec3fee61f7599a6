#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/picture/picture.h"

namespace pexor {

// The whole factor by which a picture of this size may be shrunk while
// decoding and still leave at least four source pixels for every pixel it
// is drawn at (the hint's size); 1 when it may not.
int reductionFactor(std::int64_t width, std::int64_t height, DecodeHint hint);

// Takes a picture's rows one at a time, in any order in which rows of one
// band of `factor` rows arrive together (top-down or bottom-up), and keeps
// only the average of each factor x factor block: a picture of ceil(width /
// factor) x ceil(height / factor) pixels. The blocks at the right and bottom
// edges average the pixels they have. The rows must be opaque.
class RowReducer {
public:
    RowReducer(int width, int height, int factor);

    // A row of `width` pixels to fill, for the row `y` from the top.
    std::uint32_t* row(int y);
    // The row last handed out is filled.
    void rowDone();
    // The reduced picture, stating the full size it stands for.
    std::shared_ptr<Picture> finish();

private:
    void flushBand();

    int width_;
    int factor_;
    std::shared_ptr<Picture> picture_;
    std::vector<std::uint32_t> scratch_;
    std::vector<std::uint32_t> sums_;  // red, green, blue per output column
    int band_ = -1;                    // the output row being summed
    int bandRows_ = 0;
};

}  // namespace pexor
