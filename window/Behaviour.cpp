// The window itself: see-through and title-less from its opening, moved by dragging its
// background, minimised by a double click on it, its opacity set by the slider.
#include <cstdint>

#include "framework/Ticks.h"
#include "native/ObjcRuntime.h"
#include "shell/Module1.h"
#include "window/ControlArrays.h"
#include "window/MainWindow.h"

namespace {

constexpr double kOpeningAlpha = 0.91;
// The native style mask with the miniaturizable bit alone: no title bar, no buttons, no resize
// edge, yet it can still be minimised.
constexpr fw::Integer kTitlelessStyleMask = 4;
// Half a second: two presses closer than this are a double click.
constexpr fw::Integer kDoubleClickTicks = 30;
constexpr Module1::NSControlSize kMiniControlSize = 2;

// a - b, wrapping as 64-bit integers do rather than overflowing.
fw::Integer TicksBetween(fw::Integer a, fw::Integer b) {
  return static_cast<fw::Integer>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

}  // namespace

void MainWindow::Event_Opening() {
  Module1::MakeWindowTransparent(Handle());
  Module1::SetAlphaValue(Handle(), kOpeningAlpha);
  SEL setStyleMask = sel_registerName("setStyleMask:");
  objc_msgSend(Handle(), setStyleMask, kTitlelessStyleMask);
  // The rulers start black.
  Black(0)->SetHasCheckMark(true);
}

bool MainWindow::Event_MouseDown(Integer x, Integer y) {
  MouseX = x;
  MouseY = y;
  if (TicksBetween(fw::Ticks(), windowclick) < kDoubleClickTicks) Minimize();
  windowclick = fw::Ticks();
  return true;  // the drag that follows is the window's
}

// x and y are relative to where the window is now, so the grabbed point stays under the pointer.
// No limits: the window may go partly or wholly off the screen.
void MainWindow::Event_MouseDrag(Integer x, Integer y) {
  SetLeft(Left() + (x - MouseX));
  SetTop(Top() + (y - MouseY));
}

void MainWindow::Event_MouseEnter() {}
void MainWindow::Event_MouseMove(Integer, Integer) {}
void MainWindow::Event_MouseUp(Integer, Integer) {}
void MainWindow::Event_MouseExit() {}

void MainWindow::TransPearentSlider_Opening(Ref<fw::Slider> sender) {
  Module1::SetControlSize(sender, kMiniControlSize);
}

// 0 (the left end) is fully opaque, 80 (the right end) 20 % opaque; never fully clear.
void MainWindow::TransPearentSlider_ValueChanged(Ref<fw::Slider> sender) {
  fw::Ptr window = Handle();
  const Integer value = sender->Value();
  const double alpha = static_cast<double>((80 - value) + 20) / 100.0;
  Module1::SetAlphaValue(window, alpha);
}

// The sender rule of the labels' shared handler; nothing shows.
void MainWindow::St_Opening(Ref<fw::Label> sender) { elements::SenderIndex<elements::St>(sender); }
