#include "window/MainWindow.h"

// Filled in with the layout table and the control arrays.
void MainWindow::CreateControls() {
  CreateControls0();
  CreateControls1();
}
void MainWindow::CreateControls0() {}
void MainWindow::CreateControls1() {}

fw::Ref<fw::GroupBox> MainWindow::ButtonGB() { return nullptr; }
fw::Ref<fw::Canvas> MainWindow::BCV(Integer) { return nullptr; }
fw::Ref<fw::Slider> MainWindow::TransPearentSlider() { return nullptr; }
fw::Ref<fw::RoundRectangle> MainWindow::RRectangle(Integer) { return nullptr; }
fw::Ref<fw::Label> MainWindow::St(Integer) { return nullptr; }
fw::Ref<fw::Rectangle> MainWindow::RRectangleI(Integer) { return nullptr; }
fw::Ref<fw::TextField> MainWindow::TF(Integer) { return nullptr; }
fw::Ref<fw::UpDownArrows> MainWindow::UpDownA(Integer) { return nullptr; }
fw::Ref<fw::CheckBox> MainWindow::TFCB(Integer) { return nullptr; }
fw::Ref<fw::Canvas> MainWindow::NogisCV(Integer) { return nullptr; }
fw::Ref<fw::Timer> MainWindow::DelayTimer() { return nullptr; }
fw::Ref<fw::Timer> MainWindow::KeyTimer() { return nullptr; }
