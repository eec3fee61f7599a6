#include "app/start.h"

#include <QApplication>
#include <QFont>

#include <memory>

#include "runtime/files.h"
#include "runtime/process.h"
#include "runtime/surface_widget.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"

namespace pexor {

int startProgram(ProgramState& state, Prompts& prompts) {
    // Files the program writes are named from the run directory; it is also
    // the current directory at start, which a file dialog may change later.
    enterRunDirectory();
    installPaletteFaceColour();
    // The layout is measured for the classic 9-point GUI font, 12 pixels high.
    QFont font = QApplication::font();
    font.setPixelSize(12);
    QApplication::setFont(font);

    state.grid16 = ColourGrid();
    state.grid32 = ColourGrid();
    registerExitRoutine([&state] { releaseProgramState(state); });

    auto window = std::make_unique<MainWindow>(state, prompts);
    window->openIconEditorStep = [](MainWindow& main) { openIconEditor(main); };
    window->runCreationHandler();
    loadWindow(*window, false);

    const int result = runMessageLoop();
    window.reset();
    return result;
}

}  // namespace pexor
