#include "runtime/controls.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace pexor {

QColor qColourOf(ColourValue colour) {
    const ColourValue c = resolveColour(colour);
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

ColourLabel::ColourLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ColourLabel::setBackgroundColour(ColourValue colour) {
    background_ = colour;
    update();
}

void ColourLabel::setTextColour(ColourValue colour) {
    text_ = colour;
    update();
}

void ColourLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit leftPressed();
    QLabel::mousePressEvent(event);
}

void ColourLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), qColourOf(background_));
    painter.setPen(qColourOf(text_));
    // Two lines fit the label's 24 pixels where one would be cut off.
    painter.drawText(rect(), static_cast<int>(alignment()) | Qt::TextWordWrap, text());
}

ShapeBox::ShapeBox(QWidget* parent, ColourValue outline) : QWidget(parent), outline_(outline) {}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(qColourOf(outline_));
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

namespace {

struct NamedColour {
    const char* name;
    ColourValue colour;
};

constexpr NamedColour kColours[] = {
    {"白色", rgb(255, 255, 255)}, {"黑色", rgb(0, 0, 0)},       {"红色", rgb(255, 0, 0)},
    {"绿色", rgb(0, 255, 0)},     {"蓝色", rgb(0, 0, 255)},     {"黄色", rgb(255, 255, 0)},
    {"青色", rgb(0, 255, 255)},   {"品红", rgb(255, 0, 255)},   {"灰色", rgb(128, 128, 128)},
    {"银色", rgb(192, 192, 192)}, {"深红", rgb(128, 0, 0)},     {"深绿", rgb(0, 128, 0)},
    {"深蓝", rgb(0, 0, 128)},     {"橄榄", rgb(128, 128, 0)},   {"墨绿", rgb(0, 128, 128)},
    {"紫色", rgb(128, 0, 128)},
};

QIcon swatch(ColourValue colour) {
    QPixmap pixmap(14, 14);
    pixmap.fill(qColourOf(colour));
    QPainter(&pixmap).drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

}  // namespace

ColourPicker::ColourPicker(QWidget* parent) : QComboBox(parent) {
    for (const NamedColour& c : kColours)
        addItem(swatch(c.colour), QString::fromUtf8(c.name), static_cast<uint>(c.colour));
    customIndex_ = count();
    addItem(QStringLiteral("其他颜色…"));
    setCurrentIndex(0);
    connect(this, &QComboBox::activated, this, &ColourPicker::choose);
}

void ColourPicker::setColour(ColourValue colour) {
    colour_ = colour & 0x00FFFFFFu;
    const int index = findData(static_cast<uint>(colour_));
    if (index >= 0) {
        setCurrentIndex(index);
        return;
    }
    // A colour outside the list shows as its own entry before the last one.
    insertItem(customIndex_, swatch(colour_), QColor(qColourOf(colour_)).name(),
               static_cast<uint>(colour_));
    setCurrentIndex(customIndex_);
    ++customIndex_;
}

void ColourPicker::choose(int index) {
    if (index != customIndex_) {
        colour_ = static_cast<ColourValue>(itemData(index).toUInt());
        return;
    }
    const QColor chosen = QColorDialog::getColor(qColourOf(colour_), this);
    if (chosen.isValid())
        setColour(rgb(static_cast<std::uint8_t>(chosen.red()),
                      static_cast<std::uint8_t>(chosen.green()),
                      static_cast<std::uint8_t>(chosen.blue())));
    else
        setColour(colour_);
}

}  // namespace pexor
