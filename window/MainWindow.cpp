#include "window/MainWindow.h"

#include "framework/Runtime.h"

void MainWindow::Init() { values.assign(3, std::string()); }

void MainWindow::Exit() {
  values.clear();
  operator_.clear();
}

// The window events the class handles; no others reach it.
const fw::WindowEventTable& MainWindow::Events() const {
  static const fw::WindowEventTable table = fw::WindowEventTable()
                                                .On("AddMenuHandlers", &MainWindow::AddMenuHandlers)
                                                .On("CreateControls", &MainWindow::CreateControls)
                                                .On("KeyDown", &MainWindow::Event_KeyDown)
                                                .On("Layout", &MainWindow::Layout)
                                                .On("MouseDown", &MainWindow::Event_MouseDown)
                                                .On("MouseDrag", &MainWindow::Event_MouseDrag)
                                                .On("MouseEnter", &MainWindow::Event_MouseEnter)
                                                .On("MouseExit", &MainWindow::Event_MouseExit)
                                                .On("MouseMove", &MainWindow::Event_MouseMove)
                                                .On("MouseUp", &MainWindow::Event_MouseUp)
                                                .On("Opening", &MainWindow::Event_Opening);
  return table;
}

namespace implicit {

fw::Ref<::MainWindow> MainWindow() {
  fw::Ref<fw::Window> window = fw::GetImplicitWindow(::MainWindow::kClassName);
  if (!window) {
    fw::Ref<::MainWindow> created = fw::RuntimeNewObject<::MainWindow>();
    created->Constructor();
    window = created;
  }
  return fw::RuntimeCheckCast<::MainWindow>(window);
}

}  // namespace implicit
