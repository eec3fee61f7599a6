#include "runtime/fatal_box.h"

#include <QApplication>
#include <QMessageBox>

#include "runtime/fatal.h"

namespace pexor {

void installFatalBox() {
    setFatalPresenter([](const std::string& text) {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
        QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), QString::fromStdString(text),
                        QMessageBox::Ok);
        box.exec();
    });
}

}  // namespace pexor
