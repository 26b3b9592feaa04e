#pragma once
// Losing the X server ends the program with one line on stderr and status 1. Left to Xlib or Qt,
// it would end in exit(), whose handlers then tear down widgets on a display that is gone.
#include <string>

namespace fw {

// From now on a broken connection to the X display, Qt's or any Xlib one of the process, ends
// the process so. Call once Qt is connected on xcb.
void ExitOnLostXDisplay(const std::string& programName);
// Qt's connection is about to close on purpose: no longer watch it.
void StopWatchingQtXDisplay();

// Ends the process so: for code that finds a connection of its own broken.
[[noreturn]] void LostXDisplay();

}  // namespace fw
