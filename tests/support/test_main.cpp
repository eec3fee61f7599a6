#include <QApplication>

#include <gtest/gtest.h>

#include "runtime/fatal.h"

// Every test executable runs with a QApplication so that widget tests and
// plain tests can share one binary. The offscreen platform is the default.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Death tests re-execute the binary rather than fork a process that
    // holds Qt's threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A fatal error's box would wait for a click; the text still goes to
    // stderr, where death tests read it.
    pexor::setFatalPresenter([](const std::string&) {});
    return RUN_ALL_TESTS();
}
