#include "ui/main/main_window.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "icon/extraction.h"
#include "resources/window_icon.h"
#include "runtime/files.h"
#include "runtime/html_view.h"
#include "runtime/picture/decode.h"
#include "runtime/process.h"
#include "runtime/surface_widget.h"

namespace pexor {

const char* const kWelcomeText =
    "欢迎使用Pexor图标提取工具 它能把BMP JPEG GIF ICO CUR和PCX图片转换为16x16或32x32的"
    "Windows图标文件 还可以逐个像素地编辑图标";

namespace {

constexpr const char* kCaptionWarning = "警告";
constexpr const char* kCaptionOpenFile = "打开文件";
constexpr const char* kPictureFilter =
    "图像文件|*.bmp;*.jpg;*.gif;*.tif;*.pcx;*.ico;*.cur;*.png|所有文件(*.*)|*.*";
constexpr const char* kIconFilter = "图标文件|*.ico";

QPushButton* makeButton(QWidget* parent, const char* text, int x, int y) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setGeometry(x, y, 66, 24);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* makeGroup(QWidget* parent, const char* title, int x, int y, int w, int h) {
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    group->setGeometry(x, y, w, h);
    return group;
}

QLabel* makeLabel(QWidget* parent, const char* text, int x, int y, int w, int h) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(x, y, w, h);
    return label;
}

SurfaceWidget* makeSurface(QWidget* parent, int x, int y, int w, int h) {
    auto* surface = new SurfaceWidget(parent, w, h);
    surface->move(x, y);
    return surface;
}

QIcon mainWindowIcon() {
    const auto& bytes = resources::windowIcon();
    const PictureResult decoded = decodePicture(bytes);
    if (!decoded.ok()) return {};
    const Picture& p = *decoded.picture;
    QImage image(reinterpret_cast<const uchar*>(p.pixels.data()), p.width, p.height, p.width * 4,
                 QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(image.copy()));
}

}  // namespace

MainWindow::MainWindow(ProgramState& state, Prompts& prompts)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      state_(state),
      prompts_(prompts) {
    buildLayout();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildLayout() {
    setWindowTitle(QStringLiteral("Pexor图标提取"));
    setWindowIcon(mainWindowIcon());
    setFixedSize(kMainClientWidth, kMainClientHeight);

    分组框2 = makeGroup(this, "图像文件预览", 8, 7, 114, 198);
    位图画板1 = makeSurface(分组框2, 15, 18, 84, 84);
    位图画板2 = makeSurface(分组框2, 15, 105, 84, 84);
    位图画板1->setDropsNonPictures(true);
    位图画板2->setDropsNonPictures(true);

    分组框3 = makeGroup(this, "图标效果", 134, 7, 114, 102);
    图标画板1 = makeSurface(分组框3, 12, 30, 16, 16);
    图标画板2 = makeSurface(分组框3, 12, 60, 32, 32);
    标签1 = makeLabel(分组框3, "16×16", 60, 31, 42, 18);
    标签2 = makeLabel(分组框3, "32×32", 60, 69, 42, 18);
    标签1->hide();
    标签2->hide();

    分组框1 = makeGroup(this, "图标格式", 134, 121, 114, 84);
    单选框1 = new QRadioButton(QStringLiteral("单16×16"), 分组框1);
    单选框1->setGeometry(6, 21, 84, 18);
    单选框2 = new QRadioButton(QStringLiteral("单32×32"), 分组框1);
    单选框2->setGeometry(6, 39, 84, 18);
    单选框3 = new QRadioButton(QStringLiteral("16×16,32×32"), 分组框1);
    单选框3->setGeometry(6, 57, 102, 18);
    单选框1->setChecked(true);

    // Two ideographic spaces in 提取, 编辑 and 退出; four blanks in 清除.
    选择图片 = makeButton(this, "选择图片", 260, 13);
    转换 = makeButton(this, "提\u3000\u3000取", 260, 42);
    编辑 = makeButton(this, "编\u3000\u3000辑", 260, 71);
    保存 = makeButton(this, "保存图标", 260, 100);
    清除 = makeButton(this, "清    除", 260, 129);
    退出 = makeButton(this, "退\u3000\u3000出", 260, 175);

    超文本浏览框1 = new HtmlView(this);
    超文本浏览框1->setGeometry(336, 13, 152, 189);
    超文本浏览框1->setEnabled(false);

    // Outside the client area and hidden: it only carries the welcome text.
    标签3 = makeLabel(this, kWelcomeText, 512, 32, 48, 160);
    标签3->setWordWrap(true);
    标签3->hide();

    connect(选择图片, &QPushButton::clicked, this, [this] { selectPictures(); });
    connect(转换, &QPushButton::clicked, this, [this] { extractIcon(); });
    connect(编辑, &QPushButton::clicked, this, [this] { openIconEditor(); });
    connect(保存, &QPushButton::clicked, this, [this] { saveIcon(); });
    connect(清除, &QPushButton::clicked, this, [this] { clearAll(); });
    connect(退出, &QPushButton::clicked, this, [] { endProgram(0); });

    // Centred on the screen, frame included.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - 498) / 2 + 3, area.y() + (area.height() - 245) / 2 + 22);
    }
}

// Escape closes the window from any control, like its close box: no control
// of this window takes the key, so it arrives here.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::runCreationHandler() {
    if (showWelcomePageStep) showWelcomePageStep(*this);
    if (applySkinStep) applySkinStep();
    // The surfaces were filled when they were made, before the skin gave the
    // palette its button colour; nothing is drawn on them yet.
    for (SurfaceWidget* surface : {位图画板1, 位图画板2, 图标画板1, 图标画板2}) surface->clear();
    state_.outputIcon = ByteBuffer();
}

IconFormat MainWindow::selectedFormat() const {
    if (单选框1->isChecked()) return IconFormat::Single16;
    if (单选框2->isChecked()) return IconFormat::Single32;
    if (单选框3->isChecked()) return IconFormat::Pair;
    return IconFormat::None;
}

void MainWindow::selectPictures() {
    通用对话框1.filter = kPictureFilter;
    通用对话框1.type = FileDialogSettings::Open;
    通用对话框1.defaultExtension.clear();
    const IconFormat format = selectedFormat();
    if (format == IconFormat::None) {
        prompts_.messageBox("请先设置图标格式!", box::kIconExclamation, kCaptionWarning);
        return;
    }
    if (format == IconFormat::Pair) {
        prompts_.messageBox("即将打开欲转换为16x16格式的图像文件。", box::kIconInformation,
                            kCaptionOpenFile);
        if (prompts_.runFileDialog(通用对话框1, this))
            位图画板1->setBackgroundPicture(readWholeFile(通用对话框1.fileName));
        prompts_.messageBox("即将打开欲转换为32x32格式的图像文件。", box::kIconInformation,
                            kCaptionOpenFile);
        if (prompts_.runFileDialog(通用对话框1, this))
            位图画板2->setBackgroundPicture(readWholeFile(通用对话框1.fileName));
        return;
    }
    if (prompts_.runFileDialog(通用对话框1, this))
        位图画板1->setBackgroundPicture(readWholeFile(通用对话框1.fileName));
}

void MainWindow::extractIcon() {
    if (位图画板1->surface().backgroundPicture().empty()) {
        prompts_.messageBox("你还未载入图像文件！", box::kIconExclamation, kCaptionWarning);
        return;
    }
    图标画板1->hide();
    图标画板2->hide();
    标签1->hide();
    标签2->hide();
    switch (selectedFormat()) {
        case IconFormat::Single16:
            extract16();
            图标画板1->show();
            标签1->show();
            break;
        case IconFormat::Single32:
            extract32();
            图标画板2->show();
            标签2->show();
            break;
        case IconFormat::Pair:
            extractPair();
            图标画板1->show();
            标签1->show();
            图标画板2->show();
            标签2->show();
            break;
        case IconFormat::None:
            break;
    }
}

void MainWindow::extract16() {
    Extraction e =
        pexor::extract16(位图画板1->surface(), 图标画板1->surface(), displayStretchMode());
    state_.outputIcon = std::move(e.icon);
    state_.pixels16 = std::move(e.pixels16);
    图标画板1->update();
}

void MainWindow::extract32() {
    Extraction e =
        pexor::extract32(位图画板1->surface(), 图标画板2->surface(), displayStretchMode());
    state_.outputIcon = std::move(e.icon);
    state_.pixels32 = std::move(e.pixels32);
    图标画板2->update();
}

void MainWindow::extractPair() {
    Extraction e =
        pexor::extractPair(位图画板1->surface(), 位图画板2->surface(), 图标画板1->surface(),
                           图标画板2->surface(), displayStretchMode());
    state_.outputIcon = std::move(e.icon);
    state_.pixels16 = std::move(e.pixels16);
    state_.pixels32 = std::move(e.pixels32);
    图标画板1->update();
    图标画板2->update();
}

void MainWindow::saveIcon() {
    if (state_.outputIcon.empty()) {
        prompts_.messageBox("输出图标为空，不能被保存！", box::kIconExclamation, kCaptionWarning);
        return;
    }
    通用对话框1.type = FileDialogSettings::Save;
    通用对话框1.filter = kIconFilter;
    通用对话框1.fileName.clear();
    通用对话框1.defaultExtension = "ico";
    bool keepIcon = false;
    if (prompts_.runFileDialog(通用对话框1, this)) {
        const std::string fileName = 通用对话框1.fileName;
        位图画板1->setBackgroundPicture({});
        位图画板2->setBackgroundPicture({});
        图标画板1->clear();
        图标画板2->clear();
        state_.pixels16 = {};
        state_.pixels32 = {};
        标签1->hide();
        标签2->hide();
        if (fileName.empty()) {
            prompts_.messageBox("文件名称不能为空！", box::kIconExclamation, kCaptionWarning);
        } else if (!replaceFileAtomically(fileName, state_.outputIcon)) {
            // The icon stays so that it can be saved elsewhere.
            prompts_.messageBox("图标文件无法写入，请选择其他位置重新保存。", box::kIconExclamation,
                                kCaptionWarning);
            keepIcon = true;
        }
    }
    if (!keepIcon) state_.outputIcon = ByteBuffer();
}

void MainWindow::clearAll() {
    位图画板1->setBackgroundPicture({});
    位图画板2->setBackgroundPicture({});
    图标画板1->setBackgroundPicture({});
    图标画板1->clear();
    图标画板2->setBackgroundPicture({});
    图标画板2->clear();
    state_.outputIcon = ByteBuffer();
    state_.pixels16 = {};
    state_.pixels32 = {};
    标签1->hide();
    标签2->hide();
}

void MainWindow::openIconEditor() {
    if (state_.outputIcon.empty()) {
        prompts_.messageBox("您还未进行提取！", box::kIconExclamation, "Pexor");
        return;
    }
    if (openIconEditorStep) openIconEditorStep(*this);
}

}  // namespace pexor
