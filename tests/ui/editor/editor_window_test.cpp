#include "ui/editor/editor_window.h"

#include <QApplication>
#include <QBuffer>
#include <QFrame>
#include <QImageReader>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "icon/templates.h"
#include "runtime/controls.h"
#include "runtime/files.h"
#include "tests/support/fixtures.h"
#include "tests/support/scripted_prompts.h"
#include "ui/main/main_window.h"

namespace pexor {
namespace {

using test::ScriptedPrompts;

void send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
void press(QWidget* w, QPoint p) {
    send(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
void drag(QWidget* w, QPoint p) { send(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
void hover(QWidget* w, QPoint p) { send(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
void release(QWidget* w, QPoint p) {
    send(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

std::uint32_t argb(ColourValue c) { return argbOf(c); }

// The main window after an extraction in a format, and the editor opened on
// it the way the Edit command opens it.
struct EditorTest : testing::Test {
    ProgramState state;
    ScriptedPrompts prompts;
    MainWindow main{state, prompts};
    std::unique_ptr<EditorWindow> editor;

    void extract(QRadioButton* format) {
        main.runCreationHandler();
        format->setChecked(true);
        const std::string path = test::writeTempFile(
            "editor-source.bmp", test::makeBmp24(64, 64, test::patternPixel));
        if (format == main.单选框3) {
            prompts.expectMessage("即将打开欲转换为16x16格式的图像文件。", 64, "打开文件")
                .expectFileDialog(path)
                .expectMessage("即将打开欲转换为32x32格式的图像文件。", 64, "打开文件")
                .expectFileDialog(path);
        } else {
            prompts.expectFileDialog(path);
        }
        main.selectPictures();
        main.extractIcon();
    }

    void open(QRadioButton* format) {
        extract(format);
        const IconFormat f = main.selectedFormat();
        if (formatHas16(f)) state.grid16 = buildColourGrid(state.pixels16, 16);
        if (formatHas32(f)) state.grid32 = buildColourGrid(state.pixels32, 32);
        editor = std::make_unique<EditorWindow>(state, prompts, main);
        editor->initEditorWindow();
        editor->show();
    }

    std::uint32_t canvas(int x, int y) { return editor->画板1->surface().pixel(x, y); }
    ColourValue element16(long long row, long long column) { return state.grid16.at({row, column}); }
    void usePalette(ColourValue c) {
        editor->单选框2->click();
        editor->颜色选择器1->setColour(c);
    }
};

TEST_F(EditorTest, EachFormatShowsItsGridPreviewsAndChosenLabel) {
    const struct {
        const char* name;
        int format;
        std::int32_t editSize;
        bool preview16, preview32;
    } cases[] = {{"16 only", 1, 1, true, false}, {"32 only", 2, 2, false, true},
                 {"both", 3, 1, true, true}};
    for (const auto& c : cases) {
        state = ProgramState();
        open(c.format == 1 ? main.单选框1 : c.format == 2 ? main.单选框2 : main.单选框3);
        EXPECT_EQ(state.editSize, c.editSize) << c.name;
        EXPECT_EQ(editor->画板2框->isVisibleTo(editor.get()), c.preview16) << c.name;
        EXPECT_EQ(editor->标签1->isVisibleTo(editor.get()), c.preview16) << c.name;
        EXPECT_EQ(editor->画板3框->isVisibleTo(editor.get()), c.preview32) << c.name;
        EXPECT_EQ(editor->标签2->isVisibleTo(editor.get()), c.preview32) << c.name;
        ColourLabel* chosen = c.editSize == 1 ? editor->标签1 : editor->标签2;
        ColourLabel* plain = c.editSize == 1 ? editor->标签2 : editor->标签1;
        EXPECT_EQ(chosen->backgroundColour(), rgb(0, 0, 255)) << c.name;
        EXPECT_EQ(chosen->textColour(), rgb(255, 255, 255)) << c.name;
        EXPECT_EQ(plain->backgroundColour(), kDefaultColour) << c.name;
        EXPECT_EQ(state.labelBaseColour, kDefaultColour);
        EXPECT_EQ(state.canvasBaseColour, rgb(80, 84, 167));
        EXPECT_FALSE(editor->颜色选择器1->isVisibleTo(editor.get()));
        EXPECT_TRUE(editor->单选框1->isChecked());
        // The top-left cell's interior shows the image's top-left pixel.
        const int k = c.editSize == 1 ? 16 : 8;
        const ColourGrid& grid = c.editSize == 1 ? state.grid16 : state.grid32;
        const long long n = c.editSize == 1 ? 16 : 32;
        EXPECT_EQ(canvas(1, 1), argb(grid.at({n, 1}))) << c.name;
        EXPECT_EQ(canvas(k - 1, k - 1), argb(grid.at({n, 1}))) << c.name;
        // The previews show the editable icons pixel for pixel.
        if (c.preview16) {
            const ByteBuffer& icon = state.editIcon16;
            EXPECT_EQ(icon.size(), 894u);
            EXPECT_EQ(editor->画板2->surface().pixel(0, 0),
                      argb(rgb(icon.at(785), icon.at(784), icon.at(783))));
        }
        if (c.preview32) EXPECT_EQ(state.editIcon32.size(), 3262u);
    }
}

TEST_F(EditorTest, PalettePressPaintsGridColourGridPreviewAndIcon) {
    open(main.单选框1);
    usePalette(rgb(255, 0, 0));
    press(editor->画板1, {0, 0});
    EXPECT_EQ(state.penDown, 1);
    EXPECT_EQ(canvas(1, 1), argb(rgb(255, 0, 0)));
    EXPECT_EQ(canvas(15, 15), argb(rgb(255, 0, 0)));
    EXPECT_EQ(element16(16, 1), 0x000000FFu);
    EXPECT_EQ(editor->画板2->surface().pixel(0, 0), argb(rgb(255, 0, 0)));
    EXPECT_EQ(state.editIcon16.mid(783, 3), (ByteBuffer{0, 0, 0xFF}));
    EXPECT_EQ(state.editIcon16.at(891), 0);  // the palette pen leaves the mask
    release(editor->画板1, {0, 0});
    EXPECT_EQ(state.penDown, 0);
}

TEST_F(EditorTest, TransparentPenUsesTheCanvasColourAndWhiteInThePreview) {
    open(main.单选框2);
    press(editor->画板1, {255, 255});  // cell (31, 31) of the 32x32 grid
    EXPECT_EQ(canvas(249, 249), argb(rgb(80, 84, 167)));
    EXPECT_EQ(state.grid32.at({1, 32}), rgb(80, 84, 167));
    EXPECT_EQ(editor->画板3->surface().pixel(31, 31), argb(rgb(255, 255, 255)));
    EXPECT_EQ(state.editIcon32.mid(156, 3), (ByteBuffer{0, 0, 0}));
    EXPECT_EQ(state.editIcon32.at(3138), 0x01);
}

TEST_F(EditorTest, DragPaintsUntilThePointerLeavesTheCanvas) {
    open(main.单选框1);
    usePalette(rgb(0, 0, 255));
    press(editor->画板1, {5, 5});
    drag(editor->画板1, {20, 5});   // column 1
    drag(editor->画板1, {300, 5});  // off the canvas: the drag ends, nothing painted
    EXPECT_EQ(state.penDown, 0);
    drag(editor->画板1, {40, 5});   // back on column 2 with the button held
    drag(editor->画板1, {-3, 5});   // x = -3 truncates to column 0 but is off the cells
    EXPECT_EQ(element16(16, 1), rgb(0, 0, 255));
    EXPECT_EQ(element16(16, 2), rgb(0, 0, 255));
    EXPECT_NE(element16(16, 3), rgb(0, 0, 255));
    const ColourValue before = element16(15, 1);
    hover(editor->画板1, {5, 20});  // no press: nothing painted
    EXPECT_EQ(element16(15, 1), before);
}

TEST_F(EditorTest, MovingOverTheWindowItselfEndsTheDrag) {
    open(main.单选框1);
    press(editor->画板1, {5, 5});
    hover(editor.get(), {300, 280});
    EXPECT_EQ(state.penDown, 0);
    const ColourValue before = element16(16, 3);
    drag(editor->画板1, {40, 5});
    EXPECT_EQ(element16(16, 3), before);
}

TEST_F(EditorTest, SwitchingSizesKeepsTheEditsOfBoth) {
    open(main.单选框3);
    usePalette(rgb(0, 255, 0));
    press(editor->画板1, {0, 0});                // 16x16 cell (0, 0)
    editor->selectEditSize(2);
    EXPECT_EQ(state.editSize, 2);
    EXPECT_EQ(editor->标签2->backgroundColour(), rgb(0, 0, 255));
    EXPECT_EQ(editor->标签1->backgroundColour(), kDefaultColour);
    EXPECT_EQ(editor->标签1->textColour(), rgb(0, 0, 0));
    EXPECT_EQ(canvas(1, 1), argb(state.grid32.at({32, 1})));  // the 32x32 grid now
    press(editor->画板1, {255, 0});              // 32x32 cell (31, 0)
    EXPECT_EQ(state.grid32.at({32, 32}), rgb(0, 255, 0));
    EXPECT_EQ(state.editIcon32.mid(3132, 3), (ByteBuffer{0, 0xFF, 0}));
    editor->selectEditSize(1);
    EXPECT_EQ(canvas(8, 8), argb(rgb(0, 255, 0)));
    EXPECT_EQ(state.editIcon16.mid(783, 3), (ByteBuffer{0, 0xFF, 0}));
}

TEST_F(EditorTest, PaletteShowsThePickerWhichStaysAfterTransparentIsChosen) {
    open(main.单选框1);
    editor->单选框2->click();
    EXPECT_TRUE(editor->颜色选择器1->isVisibleTo(editor.get()));
    EXPECT_EQ(editor->颜色选择器1->colour(), rgb(255, 255, 255));
    editor->单选框1->click();
    EXPECT_TRUE(editor->颜色选择器1->isVisibleTo(editor.get()));
    press(editor->画板1, {0, 0});
    EXPECT_EQ(state.editIcon16.at(891), 0x80);  // the next press paints transparent
}

TEST_F(EditorTest, OkCommitsBothImagesIntoThePair) {
    open(main.单选框3);
    const ByteBuffer before = state.outputIcon;
    press(editor->画板1, {0, 0});
    editor->按钮1->click();
    EXPECT_FALSE(editor->isVisible());
    ASSERT_EQ(state.outputIcon.size(), 4150u);
    EXPECT_EQ(state.outputIcon.first(38), before.first(38));
    EXPECT_EQ(state.outputIcon.mid(39, 872), state.editIcon16.last(872));
    EXPECT_EQ(state.outputIcon.mid(911, 3240), state.editIcon32.last(3240));
    EXPECT_EQ(main.图标画板1->surface().backgroundPicture(), state.editIcon16);
    EXPECT_EQ(main.图标画板2->surface().backgroundPicture(), state.editIcon32);
}

TEST_F(EditorTest, CancelAsksAndClosesOnlyOnYes) {
    open(main.单选框1);
    const ByteBuffer before = state.outputIcon;
    press(editor->画板1, {0, 0});
    const ByteBuffer edited = state.editIcon16;
    prompts.expectMessage("确定您要放弃吗？", 68, "Pexor", box::kResultNo);
    editor->按钮2->click();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(state.editIcon16, edited);
    prompts.expectMessage("确定您要放弃吗？", 68, "Pexor", box::kResultYes);
    editor->按钮2->click();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(state.outputIcon, before);
}

TEST_F(EditorTest, EditRefusesAnIconMadeInAnotherFormat) {
    extract(main.单选框1);
    main.单选框3->setChecked(true);
    const ByteBuffer before = state.outputIcon;
    prompts.expectMessage("图标格式已更改，请先重新提取再编辑。", 48, "Pexor");
    openIconEditor(main);
    EXPECT_EQ(state.outputIcon, before);
}

TEST_F(EditorTest, PaintedPixelsAndMaskReachTheSavedFile) {
    open(main.单选框1);
    press(editor->画板1, {0, 0});  // top-left transparent
    release(editor->画板1, {0, 0});
    usePalette(rgb(255, 0, 0));
    press(editor->画板1, {255, 255});  // bottom-right red
    editor->按钮1->click();
    const std::string path = test::tempFolder() + "/edited.ico";
    prompts.expectFileDialog(path);
    main.saveIcon();
    const ByteBuffer saved = readWholeFile(path);
    ASSERT_EQ(saved.size(), 894u);
    // The AND mask read as the format defines it: rows bottom-up, 4 bytes a
    // row, the leftmost pixel in the top bit. Only the top-left is set.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::size_t row = 831 + static_cast<std::size_t>(15 - y) * 4;
            const bool set = saved.at(row + static_cast<std::size_t>(x / 8)) & (0x80 >> (x % 8));
            ASSERT_EQ(set, x == 0 && y == 0) << x << "," << y;
        }
    }
    EXPECT_EQ(saved.mid(783, 3), (ByteBuffer{0, 0, 0}));
    QByteArray data(reinterpret_cast<const char*>(saved.data()), static_cast<int>(saved.size()));
    QBuffer buffer(&data);
    QImage image = QImageReader(&buffer, "ico").read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(16, 16));
    // Qt's reader shows the colours (it leaves a 24-bit image's mask alone).
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(15, 15), qRgba(255, 0, 0, 255));
}

}  // namespace
}  // namespace pexor
