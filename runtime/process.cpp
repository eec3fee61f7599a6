#include "runtime/process.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <utility>
#include <vector>

namespace pexor {
namespace {

std::function<void()> gExitRoutine;
bool gExitRoutineRan = false;
std::vector<void*> gLibraries;

}  // namespace

void registerExitRoutine(std::function<void()> routine) {
    gExitRoutine = std::move(routine);
    gExitRoutineRan = false;
}

void clearExitRoutine() {
    gExitRoutine = nullptr;
}

void runExitRoutine() {
    if (gExitRoutineRan || !gExitRoutine) return;
    gExitRoutineRan = true;
    auto routine = std::move(gExitRoutine);
    gExitRoutine = nullptr;
    routine();
}

void registerLoadedLibrary(void* handle) {
    if (handle) gLibraries.push_back(handle);
}

void terminateProcess(int code) {
    std::fflush(nullptr);
    // Qt's own teardown is skipped on purpose: the process ends from inside
    // an event handler, where unwinding the widget tree is not safe.
    _exit(code);
}

void endProgram(int code) {
    runExitRoutine();
    for (auto it = gLibraries.rbegin(); it != gLibraries.rend(); ++it) dlclose(*it);
    gLibraries.clear();
    terminateProcess(code);
}

}  // namespace pexor
