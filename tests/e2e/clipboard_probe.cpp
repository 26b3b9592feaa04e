// A clipboard client for the end-to-end tests of screencapture's owner, doing what no stock tool
// does: reading fast and timing each read, flooding the owner, asking it after it lost the
// clipboard, and reaching its socket as another process would.
//
//   clipboard_probe captures <screencapture> <count>
//       runs the command <count> times, each followed at once by a read of the picture; fails
//       when a command fails, a picture is not the screen's size, or a read takes over 5 s
//   clipboard_probe flood <count>
//       sends <count> requests for the picture naming windows that do not exist, then reads
//       the picture; prints the read's milliseconds
//   clipboard_probe after-loss
//       starts a transfer it never finishes (so the owner lives on), takes the clipboard, then
//       asks the owner it took it from; fails when that owner hands anything over
//   clipboard_probe ask <socket name>      connects, prints what came back: "answer" or "closed"
//   clipboard_probe listen <socket name>   listens under the name for 10 s, answering nothing
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

Display* display;
Window window;
Atom clipboard, bmp, incr, targets, slot;

[[noreturn]] void fail(const std::string& why) {
  std::fprintf(stderr, "clipboard_probe: %s\n", why.c_str());
  std::exit(1);
}

// Waits for an event of that type on our window, up to the deadline.
bool waitFor(int type, XEvent& event, Clock::time_point deadline) {
  for (;;) {
    while (XPending(display)) {
      XNextEvent(display, &event);
      if (event.type == type && event.xany.window == window) return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{ConnectionNumber(display), POLLIN, 0};
    poll(&p, 1, int(left));
  }
}

std::vector<unsigned char> takeProperty(Atom& type) {
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::vector<unsigned char> bytes;
  if (XGetWindowProperty(display, window, slot, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format, &count,
                         &after, &data) != Success)
    fail("cannot read our own property");
  if (data) {
    bytes.assign(data, data + count * (format == 32 ? sizeof(long) : std::size_t(format / 8)));
    XFree(data);
  }
  return bytes;
}

// The clipboard's picture, INCR or not; empty when there is none within the time.
std::vector<unsigned char> readPicture(std::chrono::milliseconds within) {
  const auto deadline = Clock::now() + within;
  XConvertSelection(display, clipboard, bmp, slot, window, CurrentTime);
  XEvent event;
  if (!waitFor(SelectionNotify, event, deadline) || event.xselection.property == None) return {};
  Atom type;
  std::vector<unsigned char> bytes = takeProperty(type);
  if (type != incr) return bytes;
  bytes.clear();
  for (;;) {
    if (!waitFor(PropertyNotify, event, deadline)) return {};
    if (event.xproperty.atom != slot || event.xproperty.state != PropertyNewValue) continue;
    const std::vector<unsigned char> piece = takeProperty(type);
    if (piece.empty()) return bytes;
    bytes.insert(bytes.end(), piece.begin(), piece.end());
  }
}

void open() {
  display = XOpenDisplay(nullptr);
  if (!display) fail("cannot open the display");
  window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, window, PropertyChangeMask);
  clipboard = XInternAtom(display, "CLIPBOARD", False);
  bmp = XInternAtom(display, "image/bmp", False);
  incr = XInternAtom(display, "INCR", False);
  targets = XInternAtom(display, "TARGETS", False);
  slot = XInternAtom(display, "PROBE", False);
}

int captures(const char* tool, int count) {
  open();
  const int width = DisplayWidth(display, DefaultScreen(display));
  const int height = DisplayHeight(display, DefaultScreen(display));
  double slowest = 0;
  for (int i = 0; i < count; ++i) {
    const pid_t child = fork();
    if (child == 0) {
      execl(tool, tool, "-c", "-x", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) fail("capture " + std::to_string(i) + " failed");
    const auto start = Clock::now();
    const std::vector<unsigned char> picture = readPicture(std::chrono::seconds(15));
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    slowest = std::max(slowest, ms);
    if (picture.size() < 54 || picture[0] != 'B' || picture[1] != 'M')
      fail("read " + std::to_string(i) + " found no picture");
    std::int32_t w, h;
    std::memcpy(&w, &picture[18], 4);
    std::memcpy(&h, &picture[22], 4);
    if (w != width || std::abs(h) != height) fail("read " + std::to_string(i) + " found a picture of another size");
    if (ms > 5000) fail("read " + std::to_string(i) + " took " + std::to_string(int(ms)) + " ms");
  }
  std::printf("slowest read %.1f ms\n", slowest);
  return 0;
}

int flood(int count) {
  open();
  const Window owner = XGetSelectionOwner(display, clipboard);
  if (owner == None) fail("nobody owns the clipboard");
  for (int i = 0; i < count; ++i) {
    XEvent request{};
    request.xselectionrequest.type = SelectionRequest;
    request.xselectionrequest.owner = owner;
    request.xselectionrequest.requestor = XAllocID(display);  // an id no window has
    request.xselectionrequest.selection = clipboard;
    request.xselectionrequest.target = bmp;
    request.xselectionrequest.property = slot;
    request.xselectionrequest.time = CurrentTime;
    XSendEvent(display, owner, False, NoEventMask, &request);
  }
  XSync(display, False);
  const auto start = Clock::now();
  if (readPicture(std::chrono::seconds(60)).empty()) fail("no picture after the flood");
  std::printf("%.0f\n", std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  return 0;
}

int afterLoss() {
  open();
  const Window owner = XGetSelectionOwner(display, clipboard);
  if (owner == None) fail("nobody owns the clipboard");
  // A transfer in pieces begun and left standing: the old owner waits for us to read on.
  XConvertSelection(display, clipboard, bmp, slot, window, CurrentTime);
  XEvent event;
  if (!waitFor(SelectionNotify, event, Clock::now() + std::chrono::seconds(5)) ||
      event.xselection.property == None)
    fail("the owner did not answer the first request");
  Atom type;
  unsigned char* data = nullptr;
  int format;
  unsigned long count, after;
  XGetWindowProperty(display, window, slot, 0, 1, False, AnyPropertyType, &type, &format, &count, &after, &data);
  if (data) XFree(data);
  if (type != incr) fail("the picture is too small to come in pieces");
  // Another program (we) takes the clipboard; the old owner is told by the server.
  XSetSelectionOwner(display, clipboard, window, CurrentTime);
  if (XGetSelectionOwner(display, clipboard) != window) fail("cannot take the clipboard");
  XSync(display, False);
  usleep(200 * 1000);
  // A request that reaches the old owner now: its picture is no longer the clipboard's.
  const Atom other = XInternAtom(display, "PROBE_AFTER", False);
  XEvent request{};
  request.xselectionrequest.type = SelectionRequest;
  request.xselectionrequest.owner = owner;
  request.xselectionrequest.requestor = window;
  request.xselectionrequest.selection = clipboard;
  request.xselectionrequest.target = targets;
  request.xselectionrequest.property = other;
  request.xselectionrequest.time = CurrentTime;
  XSendEvent(display, owner, False, NoEventMask, &request);
  XFlush(display);
  if (waitFor(SelectionNotify, event, Clock::now() + std::chrono::seconds(2)) && event.xselection.property != None)
    fail("the owner answered a request after it had lost the clipboard");
  std::printf("refused\n");
  return 0;
}

socklen_t address(const char* name, sockaddr_un& a) {
  a = {};
  a.sun_family = AF_UNIX;
  const std::size_t n = std::min(std::strlen(name), sizeof a.sun_path - 1);
  std::memcpy(a.sun_path + 1, name, n);
  return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + n);
}

int ask(const char* name) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un a;
  const socklen_t n = address(name, a);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), n) != 0) fail("nobody listens");
  pollfd p{fd, POLLIN, 0};
  char byte;
  const bool answered = poll(&p, 1, 5000) > 0 && read(fd, &byte, 1) == 1;
  std::printf(answered ? "answer\n" : "closed\n");
  return 0;
}

int listenAs(const char* name) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un a;
  const socklen_t n = address(name, a);
  if (bind(fd, reinterpret_cast<sockaddr*>(&a), n) != 0 || listen(fd, 8) != 0) fail("cannot listen");
  std::printf("listening\n");
  std::fflush(stdout);
  sleep(10);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "captures" && argc == 4) return captures(argv[2], std::atoi(argv[3]));
  if (mode == "flood" && argc == 3) return flood(std::atoi(argv[2]));
  if (mode == "after-loss" && argc == 2) return afterLoss();
  if (mode == "ask" && argc == 3) return ask(argv[2]);
  if (mode == "listen" && argc == 3) return listenAs(argv[2]);
  std::fprintf(stderr, "usage: clipboard_probe captures TOOL N | flood N | after-loss | ask NAME | listen NAME\n");
  return 2;
}
