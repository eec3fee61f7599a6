#pragma once

#include <functional>

class QWidget;

namespace pexor {

// The exit routine runs at most once per process, whichever way the process
// ends normally; a fatal error drops it.
void registerExitRoutine(std::function<void()> routine);
void clearExitRoutine();
void runExitRoutine();

// Libraries loaded by the program, unloaded when it ends.
void registerLoadedLibrary(void* handle);

// Ends the process at once: the exit routine, the libraries, then the code.
[[noreturn]] void endProgram(int code);
// Ends the process without the exit routine.
[[noreturn]] void terminateProcess(int code);

// Shows a window. The first window of the process must appear or the process
// ends with the fatal "载入启动窗口失败". In dialog mode every other window
// is disabled and the call returns once the window has closed.
void loadWindow(QWidget& window, bool dialogMode);

// Runs the message loop while a window is shown; returns 0 when the last
// window has closed (at once if there is none).
int runMessageLoop();

}  // namespace pexor
