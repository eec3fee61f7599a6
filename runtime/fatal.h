#pragma once

#include <string>

namespace pexor {

// Codes and texts of the run time's own fatal errors.
inline constexpr int kSubscriptOutOfRange = 1;
inline constexpr const char* kSubscriptOutOfRangeText = "数组成员引用下标超出定义范围";
inline constexpr int kSubscriptBelowOne = 4;
inline constexpr const char* kSubscriptBelowOneText = "数组成员引用下标必须大于等于1";
inline constexpr int kNoErrorCode = 0;  // the box then has no code line

// The box text: "运行时出错!", the code (when there is one) and the message.
std::string fatalErrorText(int code, const std::string& message);

// Shows the fatal box (caption "错误", error icon), skips the exit routine and
// ends the process with 255, the byte an exit code of -1 becomes.
[[noreturn]] void fatalError(int code, const std::string& message);

// Who shows the box. The window layer installs a message box (see
// installFatalBox); without one, and in tests, the text only goes to stderr,
// where it always goes.
using FatalPresenter = void (*)(const std::string& text);
void setFatalPresenter(FatalPresenter presenter);

}  // namespace pexor
