// pexor_extract <picture> <16|32|both> <icon.ico>
// Runs the program's extraction path without a window: the picture becomes a
// preview's background picture (decoded once, as the window does), is drawn
// onto the icon surfaces and written into the icon template.
#include <cstdio>
#include <cstring>
#include <string>

#include "icon/extraction.h"
#include "runtime/files.h"
#include "runtime/surface.h"

int main(int argc, char** argv) {
    using namespace pexor;
    if (argc != 4) {
        std::fprintf(stderr, "usage: pexor_extract <picture> <16|32|both> <icon.ico>\n");
        return 2;
    }
    const std::string format = argv[2];
    if (format != "16" && format != "32" && format != "both") return 2;

    // The surfaces of the main window: 84 x 84 previews, icon surfaces in
    // the button face.
    Surface preview(84, 84);
    preview.setBackgroundPicture(readWholeFile(argv[1]));
    if (!preview.backgroundIsPicture()) {
        std::fprintf(stderr, "not a picture: %s\n", argv[1]);
        return 1;
    }
    Surface icon16(16, 16);
    Surface icon32(32, 32);
    const Extraction e = format == "16" ? extract16(preview, icon16, StretchMode::Halftone)
                         : format == "32"
                             ? extract32(preview, icon32, StretchMode::Halftone)
                             : extractPair(preview, preview, icon16, icon32, StretchMode::Halftone);
    if (!writeWholeFile(argv[3], e.icon)) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
