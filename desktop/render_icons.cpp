// Writes the program's icon as PNG files for the desktop's icon theme:
// render_icons <folder> <size>...  gives <folder>/<size>.png for each size.
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>

#include "resources/window_icon.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_icons <folder> <size>...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size <= 0 || size > 1024) return 2;
        const auto pixels = pexor::resources::renderIconDesign(size);
        QImage image(reinterpret_cast<const uchar*>(pixels.data()), size, size, size * 4,
                     QImage::Format_ARGB32);
        const QString path = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1.png").arg(size);
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
