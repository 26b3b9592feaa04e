#include "framework/DisplayLoss.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>
// Last: Xlib's macros clash with Qt's names.
#include <X11/Xlib.h>

namespace fw {

namespace {

// Made in advance, so that ending needs nothing but write().
std::string& Line() {
  static std::string line = "lost the X display\n";
  return line;
}

std::atomic<xcb_connection_t*> qtConnection{nullptr};
QtMessageHandler previousHandler = nullptr;

// Qt says so when it finds its connection broken, then calls exit(): end first, in our words.
void WatchMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  xcb_connection_t* connection = qtConnection.load();
  if (connection && xcb_connection_has_error(connection)) LostXDisplay();
  if (previousHandler) {
    previousHandler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
  }
}

// Xlib calls this for every connection of the process, Qt's own included, and must not be
// returned to.
int XlibConnectionLost(Display*) { LostXDisplay(); }

// Qt notices a broken connection only once its main thread gets back to the event loop, which a
// wait of its own (the clipboard's takes up to 5 s) can put off. This thread waits for the
// server's hang-up on the connection's socket itself, reading nothing from it.
class HangUpWatch {
 public:
  explicit HangUpWatch(int connectionFd) {
    if (pipe2(stop_, O_CLOEXEC) != 0) return;
    thread_ = std::thread([connectionFd, stop = stop_[0]] {
      pollfd fds[2] = {{connectionFd, POLLRDHUP, 0}, {stop, POLLIN, 0}};
      for (;;) {
        if (poll(fds, 2, -1) < 0) {
          if (errno == EINTR) continue;
          return;
        }
        if (fds[1].revents != 0 || (fds[0].revents & POLLNVAL)) return;
        if (fds[0].revents & (POLLRDHUP | POLLHUP | POLLERR)) LostXDisplay();
      }
    });
  }
  ~HangUpWatch() {
    if (!thread_.joinable()) return;
    const char stop = 0;
    if (write(stop_[1], &stop, 1) != 1) {
      // Cannot happen with an empty pipe; the join below would then wait for good.
    }
    thread_.join();
    close(stop_[0]);
    close(stop_[1]);
  }
  HangUpWatch(const HangUpWatch&) = delete;
  HangUpWatch& operator=(const HangUpWatch&) = delete;

 private:
  int stop_[2] = {-1, -1};
  std::thread thread_;
};

std::unique_ptr<HangUpWatch>& Watch() {
  static std::unique_ptr<HangUpWatch> watch;
  return watch;
}

}  // namespace

void ExitOnLostXDisplay(const std::string& programName) {
  const char* display = std::getenv("DISPLAY");
  Line() = programName + ": lost the X display \"" + (display ? display : "") + "\"\n";
  XSetIOErrorHandler(XlibConnectionLost);
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
    qtConnection = x11->connection();
    Watch() = std::make_unique<HangUpWatch>(xcb_get_file_descriptor(x11->connection()));
  }
  static bool watching = false;
  if (!watching) {
    watching = true;
    previousHandler = qInstallMessageHandler(WatchMessages);
  }
}

void StopWatchingQtXDisplay() {
  Watch().reset();
  qtConnection = nullptr;
}

void LostXDisplay() {
  static std::atomic_flag ending = ATOMIC_FLAG_INIT;
  if (!ending.test_and_set()) {
    const std::string& line = Line();
    if (write(STDERR_FILENO, line.data(), line.size()) < 0) {
      // stderr is gone too; the status still tells.
    }
    _exit(1);
  }
  // Another thread is ending the process already.
  for (;;) pause();
}

}  // namespace fw
