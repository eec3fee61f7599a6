#include "runtime/fatal.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

#include "runtime/process.h"

namespace pexor {
namespace {

void showQtBox(const std::string& text) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
}

FatalPresenter gPresenter = &showQtBox;

}  // namespace

std::string fatalErrorText(int code, const std::string& message) {
    std::string text = "运行时出错!\n\n";
    if (code != kNoErrorCode) text += "错误代码：" + std::to_string(code) + "\n\n";
    text += "错误信息：" + message + "\n";
    return text;
}

void setFatalPresenter(FatalPresenter presenter) { gPresenter = presenter ? presenter : &showQtBox; }

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
