#include "runtime/surface_widget.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

namespace pexor {

SurfaceWidget::SurfaceWidget(QWidget* parent, int width, int height)
    : QWidget(parent), surface_(width, height) {
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::setBackgroundPicture(ByteBuffer bytes) {
    surface_.setBackgroundPicture(std::move(bytes));
    update();
}

void SurfaceWidget::clear() {
    surface_.clear();
    update();
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    if (dropsNonPictures_ && !surface_.backgroundPicture().empty() &&
        !surface_.backgroundIsPicture())
        surface_.setBackgroundPicture({});
    const QImage image(reinterpret_cast<const uchar*>(surface_.pixels().data()), surface_.width(),
                       surface_.height(), surface_.width() * 4, QImage::Format_RGB32);
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty.topLeft(), image, dirty);
}

void installPaletteFaceColour() {
    setFaceColourProvider([]() -> ColourValue {
        const QColor c = QApplication::palette().color(QPalette::Button);
        return rgb(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                   static_cast<std::uint8_t>(c.blue()));
    });
}

StretchMode displayStretchMode() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return (screen == nullptr || screen->depth() > 16) ? StretchMode::Halftone
                                                       : StretchMode::ColourOnColour;
}

}  // namespace pexor
