#pragma once

#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include "runtime/colour.h"

namespace pexor {

// A label with colour properties as the window code reads and writes them:
// the background may be the default-colour marker, which draws as the
// button-face colour and reads back unchanged. It reports left presses.
class ColourLabel : public QLabel {
    Q_OBJECT
public:
    ColourLabel(const QString& text, QWidget* parent);

    ColourValue backgroundColour() const { return background_; }
    void setBackgroundColour(ColourValue colour);
    ColourValue textColour() const { return text_; }
    void setTextColour(ColourValue colour);

signals:
    void leftPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ColourValue background_ = kDefaultColour;
    ColourValue text_ = 0;
};

// A shape box: a one-pixel rectangle outline, not filled.
class ShapeBox : public QWidget {
    Q_OBJECT
public:
    ShapeBox(QWidget* parent, ColourValue outline);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColourValue outline_;
};

// The colour picker: a drop-down of named colours, and an entry that opens
// the colour dialog for any other colour.
class ColourPicker : public QComboBox {
    Q_OBJECT
public:
    explicit ColourPicker(QWidget* parent);

    ColourValue colour() const { return colour_; }
    void setColour(ColourValue colour);

private:
    void choose(int index);

    ColourValue colour_ = rgb(255, 255, 255);
    int customIndex_ = 0;
};

// The qt colour of a ColourValue as drawn (the marker as the face colour).
QColor qColourOf(ColourValue colour);

}  // namespace pexor
