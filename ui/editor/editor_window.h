#pragma once

#include <QWidget>

#include "app/program_state.h"
#include "icon/icon_format.h"
#include "runtime/prompts.h"
#include "runtime/surface_widget.h"

class QFrame;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace pexor {

class ColourLabel;
class ColourPicker;
class MainWindow;
class ShapeBox;

// Client area of the editor's 408 x 300 outer size with the frame the main
// window assumes (3-pixel border, 19-pixel caption).
inline constexpr int kEditorClientWidth = 408 - 2 * 3;
inline constexpr int kEditorClientHeight = 300 - 2 * 3 - 19;

inline constexpr ColourValue kGridCanvasBackground = rgb(80, 84, 167);
inline constexpr ColourValue kGridPenColour = rgb(128, 160, 128);
inline constexpr ColourValue kChosenLabelBackground = rgb(0, 0, 255);
inline constexpr ColourValue kChosenLabelText = rgb(255, 255, 255);

// The grid canvas: paints on left-button presses and drags.
class GridCanvas : public SurfaceWidget {
    Q_OBJECT
public:
    explicit GridCanvas(QWidget* parent);

signals:
    void pressed(int x, int y);
    void moved(int x, int y);
    void released();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The modal editor that shows one image of the icon as an enlarged grid.
class EditorWindow : public QWidget {
    Q_OBJECT
public:
    EditorWindow(ProgramState& state, Prompts& prompts, MainWindow& main);
    ~EditorWindow() override;

    // The creation handler.
    void initEditorWindow();
    void drawCellGrid(int sizeSelector);
    void paintCell(int x, int y);
    void selectEditSize(int sizeSelector);

    // Handlers of the grid canvas and the window.
    void gridPressed(int x, int y);
    void gridMoved(int x, int y);
    void gridReleased();

    void paletteClicked();
    void okClicked();
    void cancelClicked();

    GridCanvas* 画板1;
    ShapeBox* 外形框1;
    ShapeBox* 外形框2;
    QFrame* 画板2框;
    SurfaceWidget* 画板2;
    QFrame* 画板3框;
    SurfaceWidget* 画板3;
    ColourLabel* 标签1;
    ColourLabel* 标签2;
    QGroupBox* 分组框1;
    QRadioButton* 单选框1;
    QRadioButton* 单选框2;
    ColourPicker* 颜色选择器1;
    QPushButton* 按钮1;
    QPushButton* 按钮2;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    IconFormat format() const;

    ProgramState& state_;
    Prompts& prompts_;
    MainWindow& main_;
};

// The Edit command of the main window.
void openIconEditor(MainWindow& main);

}  // namespace pexor
