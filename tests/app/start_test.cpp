#include "app/start.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "runtime/fatal.h"
#include "runtime/process.h"
#include "tests/support/scripted_prompts.h"
#include "ui/main/main_window.h"

namespace pexor {
namespace {

using testing::AllOf;
using testing::HasSubstr;
using testing::Not;

MainWindow* mainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<MainWindow*>(w)) return m;
    return nullptr;
}

// Runs the whole start routine as the program does; once the main window is
// up, `act` ends it in some way. The exit routine is replaced by one that
// releases the state as usual and reports each run on stderr.
[[noreturn]] void runProgramAndThen(void (*act)(MainWindow&)) {
    static ProgramState state;
    static test::ScriptedPrompts prompts;
    QTimer::singleShot(0, [act] {
        static int runs = 0;
        registerExitRoutine([] {
            releaseProgramState(state);
            std::fprintf(stderr, "exit routine run %d\n", ++runs);
        });
        MainWindow* window = mainWindow();
        if (window == nullptr) terminateProcess(3);
        act(*window);
    });
    endProgram(startProgram(state, prompts, false));
}

const auto kRanOnce =
    AllOf(HasSubstr("exit routine run 1"), Not(HasSubstr("exit routine run 2")));

TEST(ProcessEndingsDeathTest, ExitButtonCloseBoxAndEscapeEndWithZeroAndRunTheExitRoutineOnce) {
    EXPECT_EXIT(runProgramAndThen([](MainWindow& w) { w.退出->click(); }),
                testing::ExitedWithCode(0), kRanOnce);
    EXPECT_EXIT(runProgramAndThen([](MainWindow& w) { w.close(); }), testing::ExitedWithCode(0),
                kRanOnce);
    EXPECT_EXIT(runProgramAndThen([](MainWindow& w) { QTest::keyClick(w.转换, Qt::Key_Escape); }),
                testing::ExitedWithCode(0), kRanOnce);
}

TEST(ProcessEndingsDeathTest, FatalErrorEndsWith255AndSkipsTheExitRoutine) {
    EXPECT_EXIT(runProgramAndThen([](MainWindow&) { fatalError(1, "数组成员引用下标超出定义范围"); }),
                testing::ExitedWithCode(255),
                AllOf(HasSubstr("运行时出错!\n\n错误代码：1\n\n错误信息：数组成员引用下标超出定义范围\n"),
                      Not(HasSubstr("exit routine run"))));
}

TEST(StartUp, MainWindowIsTitledAndEmptiesTheOutputIcon) {
    ProgramState state;
    state.outputIcon = ByteBuffer{1, 2, 3};
    test::ScriptedPrompts prompts;
    MainWindow window(state, prompts);
    window.runCreationHandler();
    EXPECT_TRUE(state.outputIcon.empty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Pexor图标提取"));
    EXPECT_EQ(window.退出->text(), QStringLiteral("退\u3000\u3000出"));
    EXPECT_EQ(window.退出->geometry(), QRect(260, 175, 66, 24));
}

}  // namespace
}  // namespace pexor
