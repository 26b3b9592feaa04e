#include "window/MainWindow.h"

// Filled in with the live readouts.
void MainWindow::KeyTimer_Run(Ref<fw::Timer>) {}
