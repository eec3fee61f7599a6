#pragma once

namespace pexor {

// Makes fatal errors show their message box (caption "错误", error icon)
// before the process ends.
void installFatalBox();

}  // namespace pexor
