#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "runtime/prompts.h"

namespace pexor::test {

// Answers message boxes and file dialogs from a script. Each step checks what
// the program shows (text, caption and flags, or the dialog's settings) and
// gives the answer the test chose. A prompt the script did not expect, or a
// step left over at the end, fails the test.
class ScriptedPrompts final : public Prompts {
public:
    ~ScriptedPrompts() override;

    ScriptedPrompts& expectMessage(std::string text, int flags, std::string caption,
                                   int answer = box::kResultOk);
    // A dialog that answers with a path (OK) or nullopt (Cancel); `check`
    // sees the settings the program set before running it.
    ScriptedPrompts& expectFileDialog(std::optional<std::string> answer,
                                      std::function<void(const FileDialogSettings&)> check = {});

    int messageBox(const std::string& text, int flags, const std::string& caption) override;
    bool runFileDialog(FileDialogSettings& settings, QWidget* owner) override;

    bool done() const { return steps_.empty(); }

private:
    struct Step {
        bool dialog = false;
        std::string text;
        int flags = 0;
        std::string caption;
        int answer = 0;
        std::optional<std::string> path;
        std::function<void(const FileDialogSettings&)> check;
    };
    std::deque<Step> steps_;
};

}  // namespace pexor::test
