// The welcome page as the browser component reads it. Starting the browser
// brings up Chromium's helper processes, so it happens in a child process of
// its own that ends with _exit and leaves the other tests without one.
#include <unistd.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "resources/read_aloud_template.h"
#include "runtime/html_view.h"
#include "runtime/process.h"
#include "tests/support/scripted_prompts.h"
#include "ui/main/main_window.h"
#include "welcome/welcome_page.h"

#ifdef PEXOR_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace pexor {
namespace {

#ifdef PEXOR_HAVE_WEBENGINE

// Writes the page for the caption "AB", starts the browser as start-up does
// (the address was given before the browser existed), and prints the frame's
// address once the page has loaded.
[[noreturn]] void showPageAndPrintFrame() {
    // Chromium refuses to run as root with its sandbox on; the program turns
    // it off through its own arguments, a test binary through Qt's variable.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    ProgramState state;
    test::ScriptedPrompts prompts;
    MainWindow window(state, prompts);
    window.标签3->setText(QStringLiteral("AB"));
    QTemporaryDir dir;
    showWelcomePageIn(window, dir.path().toStdString());
    window.show();
    window.超文本浏览框1->startBrowser();

    QWidget* browser = window.超文本浏览框1->browser();
    auto* view = browser ? browser->findChild<QWebEngineView*>() : nullptr;
    if (view == nullptr) {
        std::fputs("no browser\n", stderr);
        terminateProcess(1);
    }
    std::fprintf(stderr, "browser enabled=%d\n", view->isEnabled() ? 1 : 0);
    bool loaded = false;
    QObject::connect(view, &QWebEngineView::loadFinished, [&](bool ok) { loaded = ok; });
    if (!QTest::qWaitFor([&] { return loaded; }, 60000)) {
        std::fputs("page did not load\n", stderr);
        terminateProcess(1);
    }
    QString source;
    bool answered = false;
    view->page()->runJavaScript(QStringLiteral("document.getElementById('audio_iframe').src"),
                                [&](const QVariant& v) {
                                    source = v.toString();
                                    answered = true;
                                });
    if (!QTest::qWaitFor([&] { return answered; }, 60000)) {
        std::fputs("the page did not answer\n", stderr);
        terminateProcess(1);
    }
    std::fprintf(stderr, "frame src=%s\n", source.toUtf8().constData());
    dir.remove();  // _exit skips the destructor
    terminateProcess(0);
}

TEST(WelcomePageInBrowserDeathTest, FrameAddressJoinsTheLinesAndTheSplitEscape) {
    EXPECT_EXIT(showPageAndPrintFrame(), testing::ExitedWithCode(0),
                testing::AllOf(testing::HasSubstr("browser enabled=0\n"),
                               testing::HasSubstr("frame src=http://" +
                                                  std::string(resources::kSpeechServiceHost) +
                                                  "/sockets/tts.asp?dir=zh&speed=0&B=1&ID=503142"
                                                  "&chr=MiaHead&vc=VW%20Lily&text=%41%42\n")));
}

#else

TEST(WelcomePageInBrowser, ViewWithoutBrowserKeepsTheAddress) {
    ProgramState state;
    test::ScriptedPrompts prompts;
    MainWindow window(state, prompts);
    QTemporaryDir dir;
    showWelcomePageIn(window, dir.path().toStdString());
    window.超文本浏览框1->startBrowser();
    EXPECT_FALSE(HtmlView::hasBrowserComponent());
    EXPECT_EQ(window.超文本浏览框1->browser(), nullptr);
    EXPECT_EQ(window.超文本浏览框1->address(), "file://" + dir.path().toStdString() + "/woxl.htm");
}

#endif

}  // namespace
}  // namespace pexor
