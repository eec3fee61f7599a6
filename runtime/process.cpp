#include "runtime/process.h"

#include <dlfcn.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

#include <cstdio>
#include <utility>
#include <vector>

#include "runtime/fatal.h"

namespace pexor {
namespace {

std::function<void()> gExitRoutine;
bool gExitRoutineRan = false;
std::vector<void*> gLibraries;
bool gFirstWindowLoaded = false;

bool anyWindowShown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) return true;
    return false;
}

}  // namespace

void registerExitRoutine(std::function<void()> routine) {
    gExitRoutine = std::move(routine);
    gExitRoutineRan = false;
}

void clearExitRoutine() { gExitRoutine = nullptr; }

void runExitRoutine() {
    if (gExitRoutineRan || !gExitRoutine) return;
    gExitRoutineRan = true;
    auto routine = std::move(gExitRoutine);
    gExitRoutine = nullptr;
    routine();
}

void registerLoadedLibrary(void* handle) {
    if (handle) gLibraries.push_back(handle);
}

void terminateProcess(int code) {
    std::fflush(nullptr);
    // Qt's own teardown is skipped on purpose: the process ends from inside
    // an event handler, where unwinding the widget tree is not safe.
    _exit(code);
}

void endProgram(int code) {
    runExitRoutine();
    for (auto it = gLibraries.rbegin(); it != gLibraries.rend(); ++it) dlclose(*it);
    gLibraries.clear();
    terminateProcess(code);
}

void loadWindow(QWidget& window, bool dialogMode) {
    if (!dialogMode) {
        window.show();
        if (!gFirstWindowLoaded && !window.isVisible())
            fatalError(kNoErrorCode, "载入启动窗口失败");
        gFirstWindowLoaded = true;
        return;
    }
    QPointer<QWidget> guard(&window);
    window.setWindowModality(Qt::ApplicationModal);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QEventLoop loop;
    // The window closes when it is hidden (close box, Escape, or a handler).
    struct Watcher : QObject {
        QEventLoop* loop;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Hide) loop->quit();
            return false;
        }
    } watcher;
    watcher.loop = &loop;
    window.installEventFilter(&watcher);
    if (window.isVisible()) loop.exec();
    if (guard) guard->removeEventFilter(&watcher);
}

int runMessageLoop() {
    if (!anyWindowShown()) return 0;
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::exec();
    return 0;
}

}  // namespace pexor
