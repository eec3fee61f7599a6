#pragma once

#include <QImage>

#include <gtest/gtest.h>

#include <string>

#include "runtime/bytes.h"
#include "runtime/picture/picture.h"

namespace pexor::test {

// A corpus file under tests/data/pictures.
ByteBuffer readPicture(const std::string& relative);

// A reference rendering under tests/data/pictures, as 0xAARRGGBB pixels.
QImage readReference(const std::string& relative);

// Raw 8-bit RGBA rows, as gif/pygif/expected holds them.
QImage readRgba(const std::string& relative, int width, int height);

struct Match {
    int tolerance = 0;            // per channel
    bool alpha = false;           // compare alpha too (else only colour)
    bool skipTransparent = true;  // ignore the colour where the reference has alpha 0
};

// Whether the picture has the reference's size and pixels; on failure it
// names the first differing pixel and how many differ.
testing::AssertionResult matchesReference(const Picture& picture, const QImage& reference,
                                          Match match = {});

// The picture as a QImage, for Qt's transforms.
QImage imageOf(const Picture& picture);

// The mean absolute difference per colour channel of two images of the same
// size, for lossy images compared with another encoding of the same scene;
// negative when the sizes differ.
double meanDifference(const QImage& image, const QImage& reference);
inline double meanDifference(const Picture& picture, const QImage& reference) {
    return meanDifference(imageOf(picture), reference);
}

}  // namespace pexor::test
