#include "runtime/fatal.h"

#include <cstdio>

#include "runtime/process.h"

namespace pexor {
namespace {

void noBox(const std::string&) {}

FatalPresenter gPresenter = &noBox;

}  // namespace

std::string fatalErrorText(int code, const std::string& message) {
    std::string text = "运行时出错!\n\n";
    if (code != kNoErrorCode) text += "错误代码：" + std::to_string(code) + "\n\n";
    text += "错误信息：" + message + "\n";
    return text;
}

void setFatalPresenter(FatalPresenter presenter) {
    gPresenter = presenter ? presenter : &noBox;
}

void fatalError(int code, const std::string& message) {
    const std::string text = fatalErrorText(code, message);
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
    // The exit routine must not run after a fatal error: drop it first, so
    // nothing the box's event loop does can reach it.
    clearExitRoutine();
    gPresenter(text);
    terminateProcess(255);
}

}  // namespace pexor
