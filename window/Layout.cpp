#include "framework/Properties.h"
#include "shell/MainMenuBar.h"
#include "shell/Resources.h"
#include "window/MainWindow.h"

namespace {

// The window's own properties.
const fw::Properties kWindowProperties = {
    {"Width", 1400},
    {"Height", 980},
    {"MinimumWidth", 64},
    {"MinimumHeight", 64},
    {"MaximumWidth", 32000},
    {"MaximumHeight", 32000},
    {"Resizeable", true},
    {"Type", 4},
    {"Title", "Brindlex"},
    {"HasCloseButton", true},
    {"HasMinimizeButton", true},
    {"HasMaximizeButton", true},
    {"HasFullScreenButton", false},
    {"FullScreen", false},
    {"DefaultLocation", 0},
    {"Visible", true},
    {"HasBackgroundColor", false},
    {"BackgroundColor", 0xFFFFFF},
    {"MenuBarVisible", true},
};

}  // namespace

void MainWindow::Layout() {
  SetBackdrop(Querl0());
  SetMenuBar(implicit::MainMenuBar());
  fw::SetProperties(*this, kWindowProperties);
}
