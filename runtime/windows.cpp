#include "runtime/windows.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

#include "runtime/fatal.h"

namespace pexor {
namespace {

bool gFirstWindowLoaded = false;

bool anyWindowShown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) return true;
    return false;
}

// Ends a local event loop when the window it watches is hidden: closed by
// its close box, Escape, or a handler.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide) loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

}  // namespace

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
    QEventLoop loop;
    HideWatcher watcher(loop);
    window.installEventFilter(&watcher);
    window.show();
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
