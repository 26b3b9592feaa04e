#include "window/MainWindow.h"

// Filled in with the corner and colour modes.
bool MainWindow::BCV_MouseDown(Ref<fw::Canvas>, Integer, Integer) { return true; }
void MainWindow::BCV_MouseEnter(Ref<fw::Canvas>) {}
void MainWindow::BCV_MouseMove(Ref<fw::Canvas>, Integer, Integer) {}
void MainWindow::BCV_MouseExit(Ref<fw::Canvas>) {}
void MainWindow::BCV_Opening(Ref<fw::Canvas>) {}
void MainWindow::DelayTimer_Run(Ref<fw::Timer>) {}
bool MainWindow::Black_Action(Integer) { return true; }
bool MainWindow::White_Action(Integer) { return true; }
void MainWindow::AllDisappear() {}
