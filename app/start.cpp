#include "app/start.h"

#include <QApplication>
#include <QFont>

#include <memory>

#include "runtime/files.h"
#include "runtime/html_view.h"
#include "runtime/process.h"
#include "runtime/windows.h"
#include "runtime/surface_widget.h"
#include "skin/skin.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"
#include "welcome/welcome_page.h"

namespace pexor {

int startProgram(ProgramState& state, Prompts& prompts, bool startBrowser) {
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
    // --- Creation handler steps: the read-aloud page, then the skin ---
    window->showWelcomePageStep = [](MainWindow& main) { showWelcomePage(main); };
    window->applySkinStep = [] { applySkin(kStartSkin); };
    // --- end of creation handler steps ---
    window->runCreationHandler();
    loadWindow(*window, false);
    // The browser behind the HTML view starts once the window is on screen,
    // so the window appears as fast as without it.
    if (startBrowser) window->超文本浏览框1->startBrowserAfterFirstPaint();

    const int result = runMessageLoop();
    window.reset();
    return result;
}

}  // namespace pexor
