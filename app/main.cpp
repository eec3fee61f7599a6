#include <QApplication>

#include "app/program_state.h"
#include "app/start.h"
#include "runtime/process.h"
#include "runtime/prompts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    pexor::ProgramState state;
    pexor::QtPrompts prompts;
    const int code = pexor::startProgram(state, prompts);
    pexor::endProgram(code);
}
