#include "ui/editor/editor_window.h"

#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "icon/cell_patch.h"
#include "icon/colour_grid.h"
#include "icon/edit_icons.h"
#include "runtime/controls.h"
#include "runtime/picture/decode.h"
#include "runtime/process.h"
#include "runtime/windows.h"
#include "ui/editor/pen_cursor.h"
#include "ui/main/main_window.h"

namespace pexor {

GridCanvas::GridCanvas(QWidget* parent) : SurfaceWidget(parent, kGridCanvasSide, kGridCanvasSide) {
    setMouseTracking(true);
    setCursor(penNibCursor());
}

void GridCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        emit pressed(p.x(), p.y());
    }
}

void GridCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit moved(p.x(), p.y());
}

void GridCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit released();
}

namespace {

QFrame* makePreviewFrame(QWidget* parent, int x, int y, int side) {
    // A 3-pixel dialog-style frame around a drawing area of exactly side x side.
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(3);
    frame->setGeometry(x, y, side + 6, side + 6);
    return frame;
}

int sizeOfSelector(int selector) { return selector == 1 ? 16 : 32; }

}  // namespace

EditorWindow::EditorWindow(ProgramState& state, Prompts& prompts, MainWindow& main)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      state_(state),
      prompts_(prompts),
      main_(main) {
    buildLayout();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::buildLayout() {
    setWindowTitle(QString());
    setFixedSize(kEditorClientWidth, kEditorClientHeight);
    setMouseTracking(true);

    // The grid canvas: a one-pixel edge around a 256 x 256 drawing area.
    auto* edge = new QFrame(this);
    edge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    edge->setLineWidth(1);
    edge->setGeometry(2, 3, 258, 258);
    画板1 = new GridCanvas(edge);
    画板1->move(1, 1);
    画板1->surface().setBackgroundColour(kGridCanvasBackground);
    画板1->surface().setPen(PenStyle::Dotted, kGridPenColour);
    画板1->surface().setBrush(rgb(255, 255, 255));
    画板1->surface().clear();

    外形框1 = new ShapeBox(this, rgb(128, 128, 128));
    外形框1->setGeometry(265, 4, 126, 108);
    外形框2 = new ShapeBox(外形框1, rgb(0, 0, 0));
    外形框2->setGeometry(7, 53, 113, 2);

    画板2框 = makePreviewFrame(外形框1, 18, 15, 16);
    画板2 = new SurfaceWidget(画板2框, 16, 16);
    画板2->move(3, 3);
    画板3框 = makePreviewFrame(外形框1, 12, 62, 32);
    画板3 = new SurfaceWidget(画板3框, 32, 32);
    画板3->move(3, 3);

    标签1 = new ColourLabel(QStringLiteral("16x16 true"), 外形框1);
    标签1->setGeometry(60, 15, 46, 24);
    标签2 = new ColourLabel(QStringLiteral("32x32 true"), 外形框1);
    标签2->setGeometry(60, 70, 46, 24);

    分组框1 = new QGroupBox(QStringLiteral("画笔颜色"), this);
    分组框1->setGeometry(265, 122, 126, 36);
    单选框1 = new QRadioButton(QStringLiteral("透明色"), 分组框1);
    单选框1->setGeometry(6, 14, 56, 18);
    单选框1->setChecked(true);
    单选框2 = new QRadioButton(QStringLiteral("调色板"), 分组框1);
    单选框2->setGeometry(66, 14, 56, 18);

    颜色选择器1 = new ColourPicker(this);
    颜色选择器1->setGeometry(287, 164, 90, 24);
    颜色选择器1->hide();

    按钮1 = new QPushButton(QStringLiteral("确定"), this);
    按钮1->setGeometry(274, 234, 50, 24);
    按钮1->setAutoDefault(false);
    按钮2 = new QPushButton(QStringLiteral("取消"), this);
    按钮2->setGeometry(340, 234, 50, 24);
    按钮2->setAutoDefault(false);

    connect(画板1, &GridCanvas::pressed, this, &EditorWindow::gridPressed);
    connect(画板1, &GridCanvas::moved, this, &EditorWindow::gridMoved);
    connect(画板1, &GridCanvas::released, this, &EditorWindow::gridReleased);
    connect(标签1, &ColourLabel::leftPressed, this, [this] { selectEditSize(1); });
    connect(标签2, &ColourLabel::leftPressed, this, [this] { selectEditSize(2); });
    connect(单选框2, &QRadioButton::clicked, this, &EditorWindow::paletteClicked);
    connect(按钮1, &QPushButton::clicked, this, &EditorWindow::okClicked);
    connect(按钮2, &QPushButton::clicked, this, &EditorWindow::cancelClicked);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - 408) / 2 + 3, area.y() + (area.height() - 300) / 2 + 22);
    }
}

IconFormat EditorWindow::format() const { return main_.selectedFormat(); }

void EditorWindow::initEditorWindow() {
    state_.labelBaseColour = 标签1->backgroundColour();
    state_.canvasBaseColour = 画板1->surface().backgroundColour();
    const IconFormat f = format();
    ColourLabel* chosen = 标签1;
    if (f == IconFormat::Single32) {
        drawCellGrid(2);
        chosen = 标签2;
        state_.editSize = 2;
    } else {
        drawCellGrid(1);
        state_.editSize = 1;
    }
    chosen->setBackgroundColour(kChosenLabelBackground);
    chosen->setTextColour(kChosenLabelText);

    if (f == IconFormat::Single16) {
        画板3框->hide();
        标签2->hide();
    } else if (f == IconFormat::Single32) {
        画板2框->hide();
        标签1->hide();
    }

    const EditIcons icons = prepareEditIcons(f, state_.pixels16, state_.pixels32);
    if (icons.icon16) {
        state_.editIcon16 = *icons.icon16;
        const PictureResult picture = decodePicture(state_.editIcon16.span());
        画板2->surface().drawPicture(picture.picture.get(), 0, 0, 16, 16, StretchMode::Halftone);
        画板2->update();
    }
    if (icons.icon32) {
        state_.editIcon32 = *icons.icon32;
        画板3->setBackgroundPicture(state_.editIcon32);
    }
}

void EditorWindow::drawCellGrid(int sizeSelector) {
    if (sizeSelector != 1 && sizeSelector != 2) return;
    const int n = sizeOfSelector(sizeSelector);
    const int k = cellSide(n);
    const ColourGrid& grid = sizeSelector == 1 ? state_.grid16 : state_.grid32;
    Surface& canvas = 画板1->surface();
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            canvas.setBrush(gridElementForCell(grid, n, c, r));
            canvas.drawRectangle(k * c, k * r, k * c + k + 1, k * r + k + 1);
        }
    }
    画板1->update();
}

void EditorWindow::paintCell(int x, int y) {
    // Qt keeps sending a held button's moves to the canvas; points off the
    // cells have no grid element and are never painted.
    if (!pointOnCells(x, y)) return;
    const bool small = state_.editSize == 1;
    const int n = small ? 16 : 32;
    const int k = cellSide(n);
    const Cell cell = cellAtPointer(x, y, n);
    Surface& canvas = 画板1->surface();
    canvas.drawRectangle(k * cell.column, k * cell.row, k * cell.column + k + 1,
                         k * cell.row + k + 1);
    画板1->update(k * cell.column, k * cell.row, k + 1, k + 1);
    ColourGrid& grid = small ? state_.grid16 : state_.grid32;
    gridElementForCell(grid, n, cell.column, cell.row) = canvas.brushColour();
    SurfaceWidget* preview = small ? 画板2 : 画板3;
    preview->surface().drawPoint(cell.column, cell.row, state_.previewPenColour);
    preview->update();
    ByteBuffer& icon = small ? state_.editIcon16 : state_.editIcon32;
    const Pen pen = 单选框1->isChecked() ? Pen::Transparent : Pen::Palette;
    icon = patchIconCell(icon, n, cell.column + 1, cell.row + 1, pen, state_.previewPenColour);
}

void EditorWindow::gridPressed(int x, int y) {
    state_.penDown = 1;
    if (单选框1->isChecked()) {
        画板1->surface().setBrush(state_.canvasBaseColour);
        state_.previewPenColour = ~state_.labelBaseColour;
    } else {
        画板1->surface().setBrush(颜色选择器1->colour());
        state_.previewPenColour = 颜色选择器1->colour();
    }
    paintCell(x, y);
}

void EditorWindow::gridMoved(int x, int y) {
    // Leaving the canvas with the button held ends the drag, as moving over
    // the window's own area does; coming back paints nothing until a press.
    if (!pointOnCells(x, y)) {
        state_.penDown = 0;
        return;
    }
    if (state_.penDown != 0) paintCell(x, y);
}

void EditorWindow::gridReleased() { state_.penDown = 0; }

void EditorWindow::mouseMoveEvent(QMouseEvent* event) {
    state_.penDown = 0;
    QWidget::mouseMoveEvent(event);
}

void EditorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void EditorWindow::selectEditSize(int sizeSelector) {
    ColourLabel* clicked = sizeSelector == 1 ? 标签1 : 标签2;
    ColourLabel* other = sizeSelector == 1 ? 标签2 : 标签1;
    clicked->setBackgroundColour(kChosenLabelBackground);
    clicked->setTextColour(kChosenLabelText);
    other->setBackgroundColour(state_.labelBaseColour);
    other->setTextColour(rgb(0, 0, 0));
    if (format() == IconFormat::Pair) 画板1->clear();
    drawCellGrid(sizeSelector);
    state_.editSize = sizeSelector;
}

void EditorWindow::paletteClicked() {
    if (单选框2->isChecked()) 颜色选择器1->show();
}

void EditorWindow::okClicked() {
    const IconFormat f = format();
    if (formatHas16(f)) main_.图标画板1->setBackgroundPicture(state_.editIcon16);
    if (formatHas32(f)) main_.图标画板2->setBackgroundPicture(state_.editIcon32);
    state_.outputIcon =
        commitIconEdits(f, state_.outputIcon, state_.editIcon16, state_.editIcon32);
    close();
}

void EditorWindow::cancelClicked() {
    if (prompts_.messageBox("确定您要放弃吗？", box::kYesNo | box::kIconInformation, "Pexor") ==
        box::kResultYes)
        close();
}

void openIconEditor(MainWindow& main) {
    ProgramState& state = main.state();
    if (state.outputIcon.empty()) {
        main.prompts().messageBox("您还未进行提取！", box::kIconExclamation, "Pexor");
        return;
    }
    const IconFormat f = main.selectedFormat();
    // The format buttons may have changed since the extraction: a missing
    // pixel block, or two images committed behind a one-image header, would
    // end the program or spoil the icon.
    if (!iconMatchesFormat(f, state.outputIcon, state.pixels16, state.pixels32)) {
        main.prompts().messageBox("图标格式已更改，请先重新提取再编辑。", box::kIconExclamation,
                                  "Pexor");
        return;
    }
    if (formatHas16(f)) state.grid16 = buildColourGrid(state.pixels16, 16);
    if (formatHas32(f)) state.grid32 = buildColourGrid(state.pixels32, 32);
    EditorWindow editor(state, main.prompts(), main);
    editor.initEditorWindow();
    loadWindow(editor, true);
}

}  // namespace pexor
