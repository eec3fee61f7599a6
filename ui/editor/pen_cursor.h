#pragma once

#include <QCursor>

namespace pexor {

// The grid canvas's pointer: a 32 x 32 black and white pen nib pointing up
// and to the left, its hot spot the top-left pixel.
QCursor penNibCursor();

}  // namespace pexor
