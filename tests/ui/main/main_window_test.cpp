#include "ui/main/main_window.h"

#include <QApplication>
#include <QBuffer>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "icon/templates.h"
#include "runtime/files.h"
#include "runtime/html_view.h"
#include "runtime/surface_widget.h"
#include "tests/support/fixtures.h"
#include "tests/support/scripted_prompts.h"

namespace pexor {
namespace {

using test::ScriptedPrompts;

constexpr int kFlagsWarning = 48;
constexpr int kFlagsNotice = 64;

struct MainWindowTest : testing::Test {
    ProgramState state;
    ScriptedPrompts prompts;
    MainWindow window{state, prompts};

    void SetUp() override { window.runCreationHandler(); }

    void choose(QRadioButton* format) { format->setChecked(true); }

    // Loads pictures through the command, as the user does.
    void load(const std::string& path) {
        prompts.expectFileDialog(path);
        window.selectPictures();
    }
    void loadPair(const std::optional<std::string>& first,
                  const std::optional<std::string>& second) {
        prompts.expectMessage("即将打开欲转换为16x16格式的图像文件。", kFlagsNotice, "打开文件")
            .expectFileDialog(first)
            .expectMessage("即将打开欲转换为32x32格式的图像文件。", kFlagsNotice, "打开文件")
            .expectFileDialog(second);
        window.selectPictures();
    }
};

// The exact area average of a picture shrunk by whole factors, as a pixel
// block: rows bottom-up, blue-green-red.
PixelBlock areaAverage(int width, int height, int size) {
    const int fx = width / size, fy = height / size, n = fx * fy;
    std::vector<std::uint8_t> block;
    for (int ty = size - 1; ty >= 0; --ty) {
        for (int tx = 0; tx < size; ++tx) {
            int sum[3] = {0, 0, 0};
            for (int y = ty * fy; y < (ty + 1) * fy; ++y)
                for (int x = tx * fx; x < (tx + 1) * fx; ++x)
                    for (int ch = 0; ch < 3; ++ch)
                        sum[ch] += (test::patternPixel(x, y) >> (8 * ch)) & 0xFF;
            for (int ch = 0; ch < 3; ++ch)
                block.push_back(static_cast<std::uint8_t>((sum[ch] + n / 2) / n));
        }
    }
    return PixelBlock(std::move(block));
}

PixelBlock uniformBlock(int size, ColourValue c) {
    std::vector<std::uint8_t> block;
    for (int i = 0; i < size * size; ++i) {
        block.push_back(blueOf(c));
        block.push_back(greenOf(c));
        block.push_back(redOf(c));
    }
    return PixelBlock(std::move(block));
}

std::string picture64x32() {
    return test::writeTempFile("pattern64x32.bmp", test::makeBmp24(64, 32, test::patternPixel));
}

TEST_F(MainWindowTest, StartsWithEmptyPreviewsHiddenLabelsAndTheFirstFormat) {
    EXPECT_TRUE(window.单选框1->isChecked());
    EXPECT_FALSE(window.标签1->isVisibleTo(&window));
    EXPECT_FALSE(window.标签2->isVisibleTo(&window));
    EXPECT_FALSE(window.标签3->isVisibleTo(&window));
    EXPECT_FALSE(window.超文本浏览框1->isEnabled());
    EXPECT_TRUE(window.位图画板1->surface().backgroundPicture().empty());
    EXPECT_EQ(window.图标画板1->surface().pixel(0, 0), argbOf(faceColour()));
    EXPECT_EQ(window.size(), QSize(kMainClientWidth, kMainClientHeight));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window.清除->text(), QStringLiteral("清    除"));
    EXPECT_EQ(window.转换->text(), QStringLiteral("提\u3000\u3000取"));
    EXPECT_EQ(window.编辑->text(), QStringLiteral("编\u3000\u3000辑"));
    EXPECT_EQ(window.单选框3->geometry(), QRect(6, 57, 102, 18));
    EXPECT_EQ(window.单选框3->parentWidget(), static_cast<QWidget*>(window.分组框1));
    EXPECT_EQ(window.超文本浏览框1->geometry(), QRect(336, 13, 152, 189));
}

// A skin applied by the creation handler changes the button colour; the
// surfaces show the new one.
TEST(MainWindowCreation, SurfacesTakeTheButtonColourTheSkinSets) {
    ProgramState state;
    ScriptedPrompts prompts;
    const QPalette before = QApplication::palette();
    installPaletteFaceColour();  // as start-up does
    MainWindow window(state, prompts);
    window.applySkinStep = [] {
        QPalette p = QApplication::palette();
        p.setColor(QPalette::Button, QColor(10, 200, 30));
        QApplication::setPalette(p);
    };
    window.runCreationHandler();
    const std::uint32_t expected = 0xFF0AC81Eu;
    EXPECT_EQ(window.图标画板1->surface().pixel(0, 0), expected);
    EXPECT_EQ(window.位图画板2->surface().pixel(83, 83), expected);
    QApplication::setPalette(before);
}

TEST_F(MainWindowTest, EachFormatFillsItsTemplateWithTheAreaAverage) {
    const std::string path = picture64x32();
    const struct {
        const char* name;
        QRadioButton* format;
        std::size_t length;
        ByteBuffer templ;
        std::size_t at16, at32;  // 0: the format has no such image
        bool show16, show32;
    } cases[] = {
        {"16 only", window.单选框1, 894, template16(), 63, 0, true, false},
        {"32 only", window.单选框2, 3262, template32(), 0, 63, false, true},
        {"both", window.单选框3, 4150, templatePair(), 79, 951, true, true},
    };
    for (const auto& c : cases) {
        choose(c.format);
        if (c.format == window.单选框3)
            loadPair(path, path);
        else
            load(path);
        window.extractIcon();
        const ByteBuffer& icon = state.outputIcon;
        ASSERT_EQ(icon.size(), c.length) << c.name;
        ByteBuffer expected = c.templ;
        if (c.at16) {
            expected = expected.replaced(c.at16, 768, areaAverage(64, 32, 16));
            EXPECT_EQ(state.pixels16, areaAverage(64, 32, 16)) << c.name;
        }
        if (c.at32) {
            expected = expected.replaced(c.at32, 3072, areaAverage(64, 32, 32));
            EXPECT_EQ(state.pixels32, areaAverage(64, 32, 32)) << c.name;
        }
        EXPECT_EQ(icon, expected) << c.name;
        EXPECT_EQ(window.图标画板1->isVisibleTo(&window), c.show16) << c.name;
        EXPECT_EQ(window.标签1->isVisibleTo(&window), c.show16) << c.name;
        EXPECT_EQ(window.图标画板2->isVisibleTo(&window), c.show32) << c.name;
        EXPECT_EQ(window.标签2->isVisibleTo(&window), c.show32) << c.name;
    }
}

TEST_F(MainWindowTest, ExtractingTwiceGivesTheSameBytes) {
    load(picture64x32());
    window.extractIcon();
    const ByteBuffer first = state.outputIcon;
    window.extractIcon();
    EXPECT_EQ(state.outputIcon, first);
}

TEST_F(MainWindowTest, PairWithoutASecondPictureTakesTheButtonFaceAsTheLargeImage) {
    const std::string path = picture64x32();
    choose(window.单选框3);
    // Cancelling the first dialog still brings the second.
    loadPair(std::nullopt, std::nullopt);
    EXPECT_TRUE(window.位图画板1->surface().backgroundPicture().empty());
    // The second dialog opens with the first chosen path in its name box.
    prompts.expectMessage("即将打开欲转换为16x16格式的图像文件。", kFlagsNotice, "打开文件")
        .expectFileDialog(path)
        .expectMessage("即将打开欲转换为32x32格式的图像文件。", kFlagsNotice, "打开文件")
        .expectFileDialog(std::nullopt, [&](const FileDialogSettings& s) {
            EXPECT_EQ(s.fileName, path);
            EXPECT_EQ(s.type, FileDialogSettings::Open);
            EXPECT_EQ(s.filter,
                      "图像文件|*.bmp;*.jpg;*.gif;*.tif;*.pcx;*.ico;*.cur;*.png|所有文件(*.*)|*.*");
        });
    window.selectPictures();
    window.extractIcon();
    ASSERT_EQ(state.outputIcon.size(), 4150u);
    EXPECT_EQ(state.pixels32, uniformBlock(32, faceColour()));
    EXPECT_EQ(state.pixels16, areaAverage(64, 32, 16));
}

TEST_F(MainWindowTest, TransparentIconPixelsBecomeOpaqueButtonFace) {
    // A 16x16 icon, red, with the left half of every row masked out.
    ByteBuffer icon = template16().replaced(63, 768, uniformBlock(16, rgb(255, 0, 0)));
    for (int row = 0; row < 16; ++row)
        icon = icon.replaced(831 + static_cast<std::size_t>(row) * 4, 1, ByteBuffer{0xFF});
    load(test::writeTempFile("halfmasked.ico", icon));
    window.extractIcon();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::size_t p = static_cast<std::size_t>(y * 48 + x * 3) + 1;
            const ColourValue c =
                rgb(state.pixels16.at(p + 2), state.pixels16.at(p + 1), state.pixels16.at(p));
            ASSERT_EQ(c, x < 8 ? faceColour() : rgb(255, 0, 0)) << x << "," << y;
        }
    }
    // The mask of the extracted icon stays all zero: every pixel opaque.
    EXPECT_EQ(state.outputIcon.mid(831, 64), template16().mid(831, 64));
}

TEST_F(MainWindowTest, RefusalsAndNotices) {
    prompts.expectMessage("你还未载入图像文件！", kFlagsWarning, "警告");
    window.extractIcon();
    prompts.expectMessage("输出图标为空，不能被保存！", kFlagsWarning, "警告");
    window.saveIcon();
    prompts.expectMessage("您还未进行提取！", kFlagsWarning, "Pexor");
    window.openIconEditor();
    EXPECT_TRUE(state.outputIcon.empty());
    EXPECT_FALSE(window.图标画板1->isHidden());  // nothing hidden by a refused extraction
}

TEST_F(MainWindowTest, BytesThatAreNoPictureAreDroppedAtTheNextRepaint) {
    load(test::writeTempFile("not-a-picture.png", ByteBuffer::fromString("\x89PNG\r\n\x1a\n....")));
    EXPECT_FALSE(window.位图画板1->surface().backgroundPicture().empty());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.位图画板1->repaint();
    EXPECT_TRUE(window.位图画板1->surface().backgroundPicture().empty());
    prompts.expectMessage("你还未载入图像文件！", kFlagsWarning, "警告");
    window.extractIcon();
}

TEST_F(MainWindowTest, CancelledSaveDiscardsTheIconButKeepsTheWindow) {
    load(picture64x32());
    window.extractIcon();
    prompts.expectFileDialog(std::nullopt, [](const FileDialogSettings& s) {
        EXPECT_EQ(s.type, FileDialogSettings::Save);
        EXPECT_EQ(s.filter, "图标文件|*.ico");
        EXPECT_EQ(s.fileName, "");
        EXPECT_EQ(s.defaultExtension, "ico");
    });
    window.saveIcon();
    EXPECT_TRUE(state.outputIcon.empty());
    EXPECT_EQ(state.pixels16.size(), 768u);
    EXPECT_FALSE(window.位图画板1->surface().backgroundPicture().empty());
    EXPECT_TRUE(window.标签1->isVisibleTo(&window));
    prompts.expectMessage("输出图标为空，不能被保存！", kFlagsWarning, "警告");
    window.saveIcon();
}

TEST_F(MainWindowTest, ConfirmedSaveWritesTheIconAndResetsTheWindow) {
    choose(window.单选框3);
    loadPair(picture64x32(), picture64x32());
    window.extractIcon();
    const ByteBuffer icon = state.outputIcon;
    const std::string target = test::tempFolder() + "/saved.ico";
    prompts.expectFileDialog(target);
    window.saveIcon();
    EXPECT_EQ(readWholeFile(target), icon);
    EXPECT_TRUE(state.outputIcon.empty());
    EXPECT_TRUE(state.pixels16.empty());
    EXPECT_TRUE(state.pixels32.empty());
    EXPECT_TRUE(window.位图画板1->surface().backgroundPicture().empty());
    EXPECT_FALSE(window.标签1->isVisibleTo(&window));
    EXPECT_TRUE(window.图标画板2->isVisibleTo(&window));  // only the labels are hidden
    EXPECT_EQ(window.图标画板1->surface().pixel(3, 3), argbOf(faceColour()));

    // An independent icon reader sees the extracted pixels, opaque.
    QByteArray data(reinterpret_cast<const char*>(icon.data()), static_cast<int>(icon.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "ico");
    const QImage small = reader.read();
    ASSERT_EQ(small.size(), QSize(16, 16));
    const PixelBlock expected = areaAverage(64, 32, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::size_t p = static_cast<std::size_t>((15 - y) * 48 + x * 3) + 1;
            ASSERT_EQ(small.pixel(x, y),
                      qRgba(expected.at(p + 2), expected.at(p + 1), expected.at(p), 255));
        }
    }
}

TEST_F(MainWindowTest, EmptyFileNameIsReportedAfterTheReset) {
    load(picture64x32());
    window.extractIcon();
    prompts.expectFileDialog(std::string())
        .expectMessage("文件名称不能为空！", kFlagsWarning, "警告");
    window.saveIcon();
    EXPECT_TRUE(state.outputIcon.empty());
    EXPECT_TRUE(state.pixels16.empty());
}

// Files in `folder` whose names begin with `prefix`: the icon and any
// temporary file left beside it.
std::vector<std::string> filesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix)) names.push_back(name);
    }
    return names;
}

// Lowers the largest file this process may write, as a full file system
// would stop it, for as long as it lives. Writes past the limit fail with
// EFBIG instead of raising SIGXFSZ. Works without privileges, and for root.
struct FileSizeLimit {
    rlimit saved{};
    void (*savedHandler)(int) = nullptr;
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{bytes, saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
    }
};

TEST_F(MainWindowTest, FailedWritesWarnAndKeepTheIcon) {
    const std::string readOnly = test::tempFolder() + "/read-only";
    ::mkdir(readOnly.c_str(), 0555);
    const std::string existing = test::tempFolder() + "/existing.ico";
    writeWholeFile(existing, ByteBuffer::fromString("old icon"));
    ::chmod(existing.c_str(), 0444);
    // An icon already saved, on a file system that fills up while the new one
    // is written: the new bytes go to a temporary file that can't be
    // completed, so the old icon must stay whole and nothing be left beside it.
    const std::string fullFolder = test::tempFolder() + "/filling-up";
    ::mkdir(fullFolder.c_str(), 0755);
    const std::string saved = fullFolder + "/saved.ico";
    const ByteBuffer oldIcon = template32();
    writeWholeFile(saved, oldIcon);
    // Root may write into read-only folders and files; a missing folder or a
    // full device fails for everyone. A small tmpfs would need privileges to
    // mount; a file size limit fails the write the same way for everyone.
    const bool root = ::geteuid() == 0;
    const struct {
        const char* name;
        std::string path;
        bool fails;
        rlim_t fileSizeLimit;  // 0: none
    } cases[] = {
        {"read-only folder", readOnly + "/icon.ico", !root, 0},
        {"folder vanished", test::tempFolder() + "/gone/icon.ico", true, 0},
        {"read-only file", existing, !root, 0},
        {"full disk", "/dev/full", true, 0},
        {"file system fills up over an existing icon", saved, true, 512},
    };
    for (const auto& c : cases) {
        load(picture64x32());
        window.extractIcon();
        const ByteBuffer icon = state.outputIcon;
        prompts.expectFileDialog(c.path);
        if (c.fails)
            prompts.expectMessage("图标文件无法写入，请选择其他位置重新保存。", kFlagsWarning,
                                  "警告");
        {
            std::optional<FileSizeLimit> limit;
            if (c.fileSizeLimit != 0) limit.emplace(c.fileSizeLimit);
            window.saveIcon();
        }
        EXPECT_EQ(state.outputIcon, c.fails ? icon : ByteBuffer()) << c.name;
    }
    if (!root) {
        EXPECT_EQ(readWholeFile(existing), ByteBuffer::fromString("old icon"));
    }
    EXPECT_EQ(readWholeFile(saved), oldIcon);
    EXPECT_EQ(filesStartingWith(fullFolder, "saved.ico"), std::vector<std::string>{"saved.ico"});
}

TEST_F(MainWindowTest, ClearEmptiesTheStateButNotTheFormatOrTheSurfacesVisibility) {
    choose(window.单选框1);
    load(picture64x32());
    window.extractIcon();
    window.clearAll();
    EXPECT_TRUE(state.outputIcon.empty());
    EXPECT_TRUE(state.pixels16.empty());
    EXPECT_TRUE(window.位图画板1->surface().backgroundPicture().empty());
    EXPECT_FALSE(window.标签1->isVisibleTo(&window));
    EXPECT_TRUE(window.图标画板1->isVisibleTo(&window));
    EXPECT_FALSE(window.图标画板2->isVisibleTo(&window));
    EXPECT_TRUE(window.单选框1->isChecked());
    EXPECT_EQ(window.图标画板1->surface().pixel(8, 8), argbOf(faceColour()));
}

}  // namespace
}  // namespace pexor
