#pragma once
// The X side of the readouts benchmark, apart from Qt and the program's headers (Xlib's macros
// clash with both).
#include <string>

namespace readouts_bench {

// Opens the references' own connection to the display, with a shared-memory image of the whole
// root attached; false when there is no display or no MIT-SHM.
bool OpenDirect();
void CloseDirect();
// The screen pixel at (x, y) as RRGGBB, read with a one-pixel XGetImage on that connection.
std::string DirectPixel(int x, int y);
// A warm XShmGetImage of the whole root into the attached image: the floor of any grab.
void WarmGrab();
// The least work a tick is asked for, on that connection: start a command (`program`, no
// arguments) and wait for it, grab the root (warm XShmGetImage), put the whole picture (three
// bytes a pixel) into the server as a clipboard owner hands it over, in pieces of 2 MiB, and read
// back the pixel at (x, y) from the piece that holds it. Returns that pixel as RRGGBB.
std::string SpecifiedWork(const char* program, int x, int y);

// The clients connected to the X server of DISPLAY now, counted on the server's side.
int XClients();

}  // namespace readouts_bench
