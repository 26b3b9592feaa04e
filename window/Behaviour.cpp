#include "window/MainWindow.h"

// Filled in with the window's behaviour.
void MainWindow::Event_Opening() {}
bool MainWindow::Event_MouseDown(Integer, Integer) { return true; }
void MainWindow::Event_MouseDrag(Integer, Integer) {}
void MainWindow::Event_MouseEnter() {}
void MainWindow::Event_MouseMove(Integer, Integer) {}
void MainWindow::Event_MouseUp(Integer, Integer) {}
void MainWindow::Event_MouseExit() {}
void MainWindow::TransPearentSlider_Opening(Ref<fw::Slider>) {}
void MainWindow::TransPearentSlider_ValueChanged(Ref<fw::Slider>) {}
void MainWindow::St_Opening(Ref<fw::Label>) {}
