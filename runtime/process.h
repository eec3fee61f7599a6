#pragma once

#include <functional>

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

}  // namespace pexor
