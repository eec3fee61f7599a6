// Puts a window of the program on screen in a state worth showing, for the
// screenshots in the README:
//   pexor_screenshot_scene main <picture>    the main window after extracting
//                                            both sizes from the picture
//   pexor_screenshot_scene editor <picture>  the editor with painted cells
// It runs the program's own commands with canned answers to the file dialog,
// then waits until it is killed.
#include <QApplication>
#include <QFont>
#include <QMouseEvent>
#include <QRadioButton>

#include <cstdio>
#include <string>

#include "app/program_state.h"
#include "icon/colour_grid.h"
#include "runtime/controls.h"
#include "runtime/prompts.h"
#include "runtime/surface_widget.h"
#include "skin/skin.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"

namespace {

using namespace pexor;

// Every file dialog chooses the picture; message boxes are acknowledged.
class CannedPrompts final : public Prompts {
public:
    explicit CannedPrompts(std::string picture) : picture_(std::move(picture)) {}
    int messageBox(const std::string&, int, const std::string&) override { return box::kResultOk; }
    bool runFileDialog(FileDialogSettings& settings, QWidget*) override {
        settings.fileName = picture_;
        return true;
    }

private:
    std::string picture_;
};

void click(QWidget* canvas, QPoint p, QEvent::Type type, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(p), QPointF(canvas->mapToGlobal(p)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                  Qt::NoModifier);
    QApplication::sendEvent(canvas, &e);
}

// A stroke of painted cells from one point to another.
void stroke(QWidget* canvas, QPoint from, QPoint to) {
    click(canvas, from, QEvent::MouseButtonPress, Qt::LeftButton);
    for (int i = 1; i <= 16; ++i)
        click(canvas, from + (to - from) * i / 16, QEvent::MouseMove, Qt::LeftButton);
    click(canvas, to, QEvent::MouseButtonRelease, Qt::NoButton);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pexor_screenshot_scene main|editor <picture>\n");
        return 2;
    }
    QApplication app(argc, argv);
    installPaletteFaceColour();
    QFont font = QApplication::font();
    font.setPixelSize(12);
    QApplication::setFont(font);

    const std::string scene = argv[1];
    ProgramState state;
    CannedPrompts prompts(argv[2]);
    MainWindow main(state, prompts);
    main.applySkinStep = [] { applySkin(kStartSkin); };
    main.runCreationHandler();
    main.单选框3->setChecked(true);
    main.selectPictures();
    main.extractIcon();
    main.move(40, 40);
    if (scene == "main") {
        main.show();
        return QApplication::exec();
    }

    state.grid16 = buildColourGrid(state.pixels16, 16);
    state.grid32 = buildColourGrid(state.pixels32, 32);
    EditorWindow editor(state, prompts, main);
    editor.initEditorWindow();
    editor.move(40, 40);
    editor.show();
    // A transparent stroke, then two palette strokes in red and yellow.
    stroke(editor.画板1, {8, 8}, {120, 8});
    editor.单选框2->click();
    editor.颜色选择器1->setColour(rgb(220, 30, 30));
    stroke(editor.画板1, {8, 40}, {120, 150});
    editor.颜色选择器1->setColour(rgb(250, 210, 40));
    stroke(editor.画板1, {150, 200}, {250, 200});
    return QApplication::exec();
}
