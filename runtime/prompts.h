#pragma once

#include <string>

class QWidget;

namespace pexor {

// Message box flags and results keep the original platform's numbers.
namespace box {
inline constexpr int kOk = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kIconError = 16;
inline constexpr int kIconQuestion = 32;
inline constexpr int kIconExclamation = 48;
inline constexpr int kIconInformation = 64;
inline constexpr int kResultOk = 0;
inline constexpr int kResultCancel = 1;
inline constexpr int kResultYes = 5;
inline constexpr int kResultNo = 6;
inline constexpr const char* kDefaultCaption = "信息：";
}  // namespace box

// The settings of the file dialog component. The filter uses the original
// syntax: description|pattern pairs with a bar after each item but the last.
struct FileDialogSettings {
    enum Type { Open = 0, Save = 1 };
    int type = Open;
    std::string filter;
    std::string fileName;
    std::string defaultExtension;
};

// Every message box and file dialog goes through this, so tests can answer
// them. runFileDialog sets settings.fileName to the chosen path on OK and
// leaves it as it was on cancel.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual int messageBox(const std::string& text, int flags,
                           const std::string& caption = box::kDefaultCaption) = 0;
    virtual bool runFileDialog(FileDialogSettings& settings, QWidget* owner) = 0;
};

// Real modal dialogs.
class QtPrompts final : public Prompts {
public:
    int messageBox(const std::string& text, int flags, const std::string& caption) override;
    bool runFileDialog(FileDialogSettings& settings, QWidget* owner) override;
};

// "图像文件|*.bmp;*.jpg|所有文件(*.*)|*.*" as Qt name filters:
// "图像文件 (*.bmp *.jpg)" and "所有文件(*.*) (*)".
std::string qtNameFilters(const std::string& filter);

}  // namespace pexor
