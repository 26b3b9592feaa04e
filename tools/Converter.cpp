#include "window/MainWindow.h"

// Filled in with the converter and the readouts' switch.
bool MainWindow::TF_KeyDown(Ref<fw::TextField>, std::string) { return false; }
void MainWindow::TF_Opening(Ref<fw::TextField>) {}
void MainWindow::UpDownA_DownPressed(Ref<fw::UpDownArrows>) {}
void MainWindow::UpDownA_UpPressed(Ref<fw::UpDownArrows>) {}
void MainWindow::TFCB_ValueChanged(Ref<fw::CheckBox>) {}
bool MainWindow::TFCB_MouseDown(Ref<fw::CheckBox>, Integer, Integer) { return false; }
