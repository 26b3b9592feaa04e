#include "readouts_x11.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <spawn.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/wait.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace readouts_bench {

namespace {

constexpr size_t kPiece = size_t(2) << 20;

Display* direct = nullptr;
XShmSegmentInfo segment{};
XImage* root = nullptr;
Window holder = 0;  // the window whose property takes the picture

}  // namespace

bool OpenDirect() {
  direct = XOpenDisplay(nullptr);
  if (!direct || !XShmQueryExtension(direct)) return false;
  const int screen = DefaultScreen(direct);
  root = XShmCreateImage(direct, DefaultVisual(direct, screen), DefaultDepth(direct, screen), ZPixmap,
                         nullptr, &segment, DisplayWidth(direct, screen), DisplayHeight(direct, screen));
  if (!root) return false;
  segment.shmid = shmget(IPC_PRIVATE, size_t(root->bytes_per_line) * root->height, IPC_CREAT | 0600);
  segment.shmaddr = root->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
  shmctl(segment.shmid, IPC_RMID, nullptr);
  segment.readOnly = False;
  if (!XShmAttach(direct, &segment)) return false;
  holder = XCreateSimpleWindow(direct, DefaultRootWindow(direct), 0, 0, 1, 1, 0, 0, 0);
  WarmGrab();  // the segment's pages faulted in once, as in a warm owner
  return true;
}

void CloseDirect() {
  if (!direct) return;
  if (root) {
    XShmDetach(direct, &segment);
    shmdt(segment.shmaddr);
    root->data = nullptr;
    XDestroyImage(root);
    root = nullptr;
  }
  XCloseDisplay(direct);
  direct = nullptr;
}

void WarmGrab() {
  XShmGetImage(direct, DefaultRootWindow(direct), root, 0, 0, AllPlanes);
}

std::string SpecifiedWork(const char* program, int x, int y) {
  pid_t child;
  char* argv[] = {const_cast<char*>(program), nullptr};
  if (posix_spawn(&child, program, nullptr, nullptr, argv, environ) == 0) waitpid(child, nullptr, 0);
  WarmGrab();
  const Atom property = XA_PRIMARY;  // any atom names a property
  const size_t size = size_t(root->width) * root->height * 3;
  const size_t at = (size_t(y) * root->width + x) * 3;
  const auto* bytes = reinterpret_cast<const unsigned char*>(root->data);
  for (size_t offset = 0; offset < size; offset += kPiece) {
    const size_t piece = std::min(kPiece, size - offset);
    XChangeProperty(direct, holder, property, XA_STRING, 8, PropModeReplace, bytes + offset, int(piece));
    if (at >= offset && at < offset + piece) {
      // The pixel, from the piece that holds it, as the server has it.
      Atom type;
      int format;
      unsigned long count, after;
      unsigned char* data = nullptr;
      XGetWindowProperty(direct, holder, property, long((at - offset) / 4), 1, False, AnyPropertyType, &type,
                         &format, &count, &after, &data);
      if (data) XFree(data);
    }
  }
  XSync(direct, False);
  char text[8];
  std::snprintf(text, sizeof text, "%06lX", XGetPixel(root, x, y) & 0xFFFFFF);
  return text;
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
