#pragma once

class QWidget;

namespace pexor {

// Shows a window. The first window of the process must appear or the process
// ends with the fatal "载入启动窗口失败". In dialog mode every other window
// is disabled and the call returns once the window has closed.
void loadWindow(QWidget& window, bool dialogMode);

// Runs the message loop while a window is shown; returns 0 when the last
// window has closed (at once if there is none).
int runMessageLoop();

}  // namespace pexor
