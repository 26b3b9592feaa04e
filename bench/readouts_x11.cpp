#include "readouts_x11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace readouts_bench {

namespace {
Display* direct = nullptr;
}

bool OpenDirect() {
  direct = XOpenDisplay(nullptr);
  return direct != nullptr;
}

void CloseDirect() {
  if (direct) XCloseDisplay(direct);
  direct = nullptr;
}

std::string DirectPixel(int x, int y) {
  XImage* image = XGetImage(direct, DefaultRootWindow(direct), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return "none";
  const unsigned long pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  char text[8];
  std::snprintf(text, sizeof text, "%06lX", pixel & 0xFFFFFF);
  return text;
}

int XClients() {
  // "host:N.S" or ":N": the server's sockets are /tmp/.X11-unix/XN, also in the abstract space;
  // each accepted client is a connected socket (state 03) bearing that name.
  const char* name = std::getenv("DISPLAY");
  if (!name) return -1;
  std::string display = name;
  display = display.substr(display.find(':') + 1);
  display = display.substr(0, display.find('.'));
  const std::string path = "/tmp/.X11-unix/X" + display;
  std::ifstream unix("/proc/net/unix");
  std::string line;
  int clients = 0;
  std::getline(unix, line);  // the header
  while (std::getline(unix, line)) {
    std::istringstream fields(line);
    std::string slot, refs, protocol, flags, type, state, inode, socketPath;
    fields >> slot >> refs >> protocol >> flags >> type >> state >> inode >> socketPath;
    if (state == "03" && (socketPath == path || socketPath == "@" + path)) ++clients;
  }
  return clients;
}

}  // namespace readouts_bench
