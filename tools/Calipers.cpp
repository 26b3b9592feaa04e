#include "window/MainWindow.h"

// Filled in with the calipers.
bool MainWindow::NogisCV_MouseDown(Ref<fw::Canvas>, Integer, Integer) { return true; }
void MainWindow::NogisCV_MouseDrag(Ref<fw::Canvas>, Integer, Integer) {}
void MainWindow::NogisCV_Opening(Ref<fw::Canvas>) {}
