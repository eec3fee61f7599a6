#include "tests/runtime/picture/picture_testing.h"

#include <cstdlib>
#include <cstring>

#include "tests/support/test_data.h"

namespace pexor::test {

ByteBuffer readPicture(const std::string& relative) {
    return readData("pictures/" + relative);
}

QImage readReference(const std::string& relative) {
    QImage image(QString::fromStdString(dataPath("pictures/" + relative)));
    EXPECT_FALSE(image.isNull()) << "unreadable reference " << relative;
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage readRgba(const std::string& relative, int width, int height) {
    const ByteBuffer bytes = readPicture(relative);
    QImage image(width, height, QImage::Format_ARGB32);
    if (bytes.size() != std::size_t(width) * std::size_t(height) * 4) {
        ADD_FAILURE() << relative << " holds " << bytes.size() << " bytes, not " << width << " x "
                      << height << " RGBA";
        return {};
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = bytes.data() + (std::size_t(y) * width + x) * 4;
            row[x] = qRgba(p[0], p[1], p[2], p[3]);
        }
    }
    return image;
}

namespace {

std::string hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

}  // namespace

testing::AssertionResult matchesReference(const Picture& picture, const QImage& reference,
                                          Match match) {
    if (picture.width != reference.width() || picture.height != reference.height()) {
        return testing::AssertionFailure()
               << "size " << picture.width << " x " << picture.height << ", reference "
               << reference.width() << " x " << reference.height();
    }
    int differing = 0;
    std::string first;
    for (int y = 0; y < picture.height; ++y) {
        const auto* ref = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t got = picture.pixels[std::size_t(y) * picture.width + x];
            const std::uint32_t want = ref[x];
            if (match.skipTransparent && qAlpha(want) == 0 && (!match.alpha || got >> 24 == 0)) {
                continue;
            }
            bool same = true;
            for (int shift = 0; shift < (match.alpha ? 32 : 24); shift += 8) {
                const int a = int(got >> shift & 0xFF), b = int(want >> shift & 0xFF);
                if (std::abs(a - b) > match.tolerance) same = false;
            }
            if (same) continue;
            if (differing++ == 0) {
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " + hex(got) +
                        ", reference " + hex(want);
            }
        }
    }
    if (differing == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << differing << " pixels differ; first " << first;
}

QImage imageOf(const Picture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(image.scanLine(y), picture.pixels.data() + std::size_t(y) * picture.width,
                    std::size_t(picture.width) * 4);
    }
    return image;
}

double meanDifference(const QImage& image, const QImage& reference) {
    if (image.size() != reference.size()) return -1;
    const QImage a = image.convertToFormat(QImage::Format_ARGB32);
    const QImage b = reference.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            sum += std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x])) +
                   std::abs(qBlue(p[x]) - qBlue(q[x]));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

}  // namespace pexor::test
