#include "tests/support/scripted_prompts.h"

#include <gtest/gtest.h>

namespace pexor::test {

ScriptedPrompts::~ScriptedPrompts() {
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted prompt(s) never came; next: "
                                << (steps_.empty() ? "" : steps_.front().text);
}

ScriptedPrompts& ScriptedPrompts::expectMessage(std::string text, int flags, std::string caption,
                                                int answer) {
    steps_.push_back({false, std::move(text), flags, std::move(caption), answer, {}, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectFileDialog(
    std::optional<std::string> answer, std::function<void(const FileDialogSettings&)> check) {
    Step step;
    step.dialog = true;
    step.text = "(file dialog)";
    step.path = std::move(answer);
    step.check = std::move(check);
    steps_.push_back(std::move(step));
    return *this;
}

int ScriptedPrompts::messageBox(const std::string& text, int flags, const std::string& caption) {
    if (steps_.empty() || steps_.front().dialog) {
        ADD_FAILURE() << "unexpected message box: " << text << " [" << caption << "]";
        return box::kResultOk;
    }
    const Step step = steps_.front();
    steps_.pop_front();
    EXPECT_EQ(text, step.text);
    EXPECT_EQ(flags, step.flags) << text;
    EXPECT_EQ(caption, step.caption) << text;
    return step.answer;
}

bool ScriptedPrompts::runFileDialog(FileDialogSettings& settings, QWidget*) {
    if (steps_.empty() || !steps_.front().dialog) {
        ADD_FAILURE() << "unexpected file dialog"
                      << (steps_.empty() ? "" : "; expected message: " + steps_.front().text);
        return false;
    }
    const Step step = steps_.front();
    steps_.pop_front();
    if (step.check) step.check(settings);
    if (!step.path) return false;
    settings.fileName = *step.path;
    return true;
}

}  // namespace pexor::test
