// Kept apart from Qt: Xlib's macros clash with Qt's names.
#include "framework/DisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace fw {

std::string CheckXDisplay() {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return "no X display: DISPLAY is not set";
  Display* display = XOpenDisplay(nullptr);
  if (!display) return std::string("cannot open X display \"") + name + "\"";
  XCloseDisplay(display);
  return {};
}

}  // namespace fw
