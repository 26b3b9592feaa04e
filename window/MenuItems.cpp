#include "window/MainWindow.h"

namespace {

// The item of that name in the window's menu bar, at any depth; nil when the bar has none.
fw::Ref<fw::MenuItem> Find(const MainWindow& window, const char* name) {
  fw::Ref<fw::MenuBar> bar = window.MenuBar();
  return bar->Lookup(name);
}

fw::Ref<fw::MenuItem> Find(const MainWindow& window, const char* name, fw::Integer index) {
  fw::Ref<fw::MenuBar> bar = window.MenuBar();
  return bar->Lookup(name, index);
}

}  // namespace

fw::Ref<fw::MenuItem> MainWindow::ModeMenu() { return Find(*this, "ModeMenu"); }
fw::Ref<fw::MenuItem> MainWindow::Black(Integer index) { return Find(*this, "Black", index); }
fw::Ref<fw::MenuItem> MainWindow::White(Integer index) { return Find(*this, "White", index); }
fw::Ref<fw::MenuItem> MainWindow::EditMenu() { return Find(*this, "EditMenu"); }
fw::Ref<fw::MenuItem> MainWindow::EditSelectAll() { return Find(*this, "EditSelectAll"); }
fw::Ref<fw::MenuItem> MainWindow::EditSeparator2() { return Find(*this, "EditSeparator2"); }
fw::Ref<fw::MenuItem> MainWindow::EditClear() { return Find(*this, "EditClear"); }
fw::Ref<fw::MenuItem> MainWindow::EditPaste() { return Find(*this, "EditPaste"); }
fw::Ref<fw::MenuItem> MainWindow::EditCopy() { return Find(*this, "EditCopy"); }
fw::Ref<fw::MenuItem> MainWindow::EditCut() { return Find(*this, "EditCut"); }
fw::Ref<fw::MenuItem> MainWindow::EditSeparator1() { return Find(*this, "EditSeparator1"); }
fw::Ref<fw::MenuItem> MainWindow::EditUndo() { return Find(*this, "EditUndo"); }
fw::Ref<fw::MenuItem> MainWindow::FileMenu() { return Find(*this, "FileMenu"); }
fw::Ref<fw::QuitMenuItem> MainWindow::FileQuit() {
  return fw::RuntimeCheckCast<fw::QuitMenuItem>(Find(*this, "FileQuit"));
}

void MainWindow::AddMenuHandlers(Ref<fw::Window> window) {
  Ref<MainWindow> self = fw::RuntimeCheckCast<MainWindow>(window);
  self->AddMenuHandler("Black", &MainWindow::Black_Action);
  self->AddMenuHandler("White", &MainWindow::White_Action);
}
