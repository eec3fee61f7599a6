// The yardstick for start-up: a bare Qt window of the main window's size and
// title, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Pexor图标提取"));
    window.setFixedSize(492, 220);
    window.show();
    return QApplication::exec();
}
