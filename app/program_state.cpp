#include "app/program_state.h"

namespace pexor {

void releaseProgramState(ProgramState& state) {
    state.outputIcon = {};
    state.grid16 = {};
    state.pixels16 = {};
    state.grid32 = {};
    state.pixels32 = {};
    state.editIcon16 = {};
    state.editIcon32 = {};
}

}  // namespace pexor
