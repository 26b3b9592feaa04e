#pragma once

#include "capture/BmpFile.h"

#include <X11/Xlib.h>

namespace capture {

// A picture of the whole root window of the display's default screen, taken with the server
// grabbed, so nothing draws while it is read. Throws std::runtime_error with a one-line reason.
BmpFile grabScreen(Display* display);

}  // namespace capture
