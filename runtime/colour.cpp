#include "runtime/colour.h"

namespace pexor {

namespace {
FaceColourProvider gProvider = nullptr;
}

void setFaceColourProvider(FaceColourProvider provider) { gProvider = provider; }

ColourValue faceColour() { return gProvider ? gProvider() : rgb(240, 240, 240); }

}  // namespace pexor
