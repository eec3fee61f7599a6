#include "ui/editor/pen_cursor.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace pexor {

QCursor penNibCursor() {
    // Two colours only: black outline and slit, white body; the rest clear.
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath nib;
    nib.moveTo(0, 0);     // the tip, the hot spot
    nib.lineTo(5, 14);    // left shoulder
    nib.lineTo(12, 19);   // the nib meets the holder
    nib.lineTo(19, 12);
    nib.lineTo(14, 5);    // right shoulder
    nib.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(nib);
    painter.drawLine(0, 0, 8, 8);  // the slit
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(8, 8), 1, 1);
    // The holder running to the lower right.
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygon({QPoint(12, 19), QPoint(19, 12), QPoint(30, 23), QPoint(23, 30)}));
    painter.end();
    image.setPixel(0, 0, qRgba(0, 0, 0, 255));
    return QCursor(QPixmap::fromImage(image), 0, 0);
}

}  // namespace pexor
