#include "window/MainWindow.h"

// Filled in with the calculator and the key display.
bool MainWindow::Event_KeyDown(std::string) { return true; }
void MainWindow::InTenKey(std::string) {}
void MainWindow::Display(std::string) {}
void MainWindow::InOperatorkey(std::string) {}
void MainWindow::Clear() {}
void MainWindow::Delete() {}
