#pragma once
// The X side of the readouts benchmark, apart from Qt and the program's headers (Xlib's macros
// clash with both).
#include <string>

namespace readouts_bench {

// Opens the reference's own connection to the display; false when there is none.
bool OpenDirect();
void CloseDirect();
// The screen pixel at (x, y) as RRGGBB, read with a one-pixel XGetImage on that connection.
std::string DirectPixel(int x, int y);

// The clients connected to the X server of DISPLAY now, counted on the server's side.
int XClients();

}  // namespace readouts_bench
