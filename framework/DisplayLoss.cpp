#include "framework/DisplayLoss.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <cstdio>
#include <cstdlib>

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

}  // namespace

void ExitOnLostXDisplay(const std::string& programName) {
  const char* display = std::getenv("DISPLAY");
  Line() = programName + ": lost the X display \"" + (display ? display : "") + "\"\n";
  XSetIOErrorHandler(XlibConnectionLost);
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
    qtConnection = x11->connection();
  static bool watching = false;
  if (!watching) {
    watching = true;
    previousHandler = qInstallMessageHandler(WatchMessages);
  }
}

void StopWatchingQtXDisplay() { qtConnection = nullptr; }

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
