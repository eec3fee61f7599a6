#include <unistd.h>

#include <QApplication>

#include <vector>

#include "app/program_state.h"
#include "app/start.h"
#include "runtime/fatal_box.h"
#include "runtime/process.h"
#include "runtime/prompts.h"

// --- Browser component set-up (the HTML view's Qt WebEngine) ---
// The arguments QApplication gets. Chromium refuses to run as root with its
// sandbox on and then ends the whole process, so a root user's program turns
// the sandbox off through the arguments Qt WebEngine reads.
static std::vector<char*> applicationArguments(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
#ifdef PEXOR_HAVE_WEBENGINE
    static char webEngineArgs[] = "--webEngineArgs";
    static char noSandbox[] = "--no-sandbox";
    if (::geteuid() == 0) {
        args.push_back(webEngineArgs);
        args.push_back(noSandbox);
    }
#endif
    args.push_back(nullptr);
    return args;
}
// --- end of browser component set-up ---

int main(int argc, char** argv) {
#ifdef PEXOR_HAVE_WEBENGINE
    // Qt WebEngine shares OpenGL contexts with the widgets; the attribute
    // must be set before the application object exists, although the
    // browser itself is loaded only later.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    std::vector<char*> args = applicationArguments(argc, argv);
    int count = static_cast<int>(args.size()) - 1;
    QApplication app(count, args.data());
    // A fatal run-time error shows its message box before the process ends.
    pexor::installFatalBox();
    pexor::ProgramState state;
    pexor::QtPrompts prompts;
    const int code = pexor::startProgram(state, prompts);
    pexor::endProgram(code);
}
