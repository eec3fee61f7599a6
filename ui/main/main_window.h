#pragma once

#include <QWidget>

#include <functional>

#include "app/program_state.h"
#include "icon/icon_format.h"
#include "runtime/prompts.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace pexor {

class HtmlView;
class SurfaceWidget;

// Frame the window's outer size of 498 x 245 assumes: a fixed single frame
// of 3 pixels and a caption of 19, the classic desktop metrics. The client
// area is then 492 x 220 and holds every control at its place.
inline constexpr int kMainClientWidth = 498 - 2 * 3;
inline constexpr int kMainClientHeight = 245 - 2 * 3 - 19;

// The start-up window: previews, the icon surfaces, the format buttons and
// the commands. Controls carry their form names.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(ProgramState& state, Prompts& prompts);
    ~MainWindow() override;

    // Steps of the creation handler that other subsystems supply: the
    // read-aloud page, then the skin.
    std::function<void(MainWindow&)> showWelcomePageStep;
    std::function<void()> applySkinStep;
    // The creation handler: welcome page, skin, then an empty output icon.
    void runCreationHandler();

    // The Edit command, supplied by the editor.
    std::function<void(MainWindow&)> openIconEditorStep;

    IconFormat selectedFormat() const;

    // Commands of the buttons.
    void selectPictures();
    void extractIcon();
    void extract16();
    void extract32();
    void extractPair();
    void saveIcon();
    void clearAll();
    void openIconEditor();

    ProgramState& state() { return state_; }
    Prompts& prompts() { return prompts_; }
    FileDialogSettings& dialogSettings() { return 通用对话框1; }

    QGroupBox* 分组框2;
    SurfaceWidget* 位图画板1;
    SurfaceWidget* 位图画板2;
    QGroupBox* 分组框3;
    SurfaceWidget* 图标画板1;
    SurfaceWidget* 图标画板2;
    QLabel* 标签1;
    QLabel* 标签2;
    QGroupBox* 分组框1;
    QRadioButton* 单选框1;
    QRadioButton* 单选框2;
    QRadioButton* 单选框3;
    QPushButton* 选择图片;
    QPushButton* 转换;
    QPushButton* 编辑;
    QPushButton* 保存;
    QPushButton* 清除;
    QPushButton* 退出;
    HtmlView* 超文本浏览框1;
    QLabel* 标签3;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();

    ProgramState& state_;
    Prompts& prompts_;
    FileDialogSettings 通用对话框1;
};

// The welcome text carried by the hidden label: names the tool and says what
// it does, in characters that GB2312 holds.
extern const char* const kWelcomeText;

}  // namespace pexor
