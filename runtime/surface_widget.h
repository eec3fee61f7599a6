#pragma once

#include <QWidget>

#include "runtime/surface.h"

namespace pexor {

// Shows a Surface. All drawing happens on the surface; paintEvent only copies
// the dirty rectangle of its image to the screen.
class SurfaceWidget : public QWidget {
    Q_OBJECT
public:
    SurfaceWidget(QWidget* parent, int width, int height);

    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }

    // Preview surfaces keep no image of their own: bytes that are no picture
    // are dropped from the background at the next repaint.
    void setDropsNonPictures(bool drops) { dropsNonPictures_ = drops; }

    // Background picture and clear, with a repaint.
    void setBackgroundPicture(ByteBuffer bytes);
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Surface surface_;
    bool dropsNonPictures_ = false;
};

// The button-face colour of the application palette, read at each drawing.
void installPaletteFaceColour();

// Whether the display draws stretched pictures with halftone (more than 16
// bits per pixel) or colour-on-colour.
StretchMode displayStretchMode();

}  // namespace pexor
