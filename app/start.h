#pragma once

#include "app/program_state.h"
#include "runtime/prompts.h"

namespace pexor {

class MainWindow;

// The start routine: state, exit routine, the main window with its creation
// handler, then the message loop. Returns 0 once the loop has ended; the
// caller then ends the process through endProgram. Tests that don't look at
// the welcome page leave the browser behind the HTML view unstarted.
int startProgram(ProgramState& state, Prompts& prompts, bool startBrowser = true);

}  // namespace pexor
