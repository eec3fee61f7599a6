#include <QApplication>

#include <gtest/gtest.h>

// Every test executable runs with a QApplication so that widget tests and
// plain tests can share one binary. The offscreen platform is the default.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Death tests fork; "threadsafe" re-executes the binary, which is safe with
    // Qt's threads around.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
