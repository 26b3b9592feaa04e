// Kept apart from Qt: Xlib's macros clash with Qt's names.
#include "framework/DisplayCheck.h"

#include <X11/Xlib.h>

#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

namespace fw {

namespace {

// What the opening thread found; shared, as the thread may outlive the wait.
struct Attempt {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  bool opened = false;
};

}  // namespace

std::string CheckXDisplay(std::chrono::milliseconds limit) {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return "no X display: DISPLAY is not set";
  const std::string quoted = std::string("\"") + name + "\"";

  // XOpenDisplay has no time limit of its own and waits for good on a server that accepts the
  // connection but never answers: open on a thread of its own and stop waiting at the limit.
  // A thread left waiting is harmless, as the process then ends.
  auto attempt = std::make_shared<Attempt>();
  std::thread([attempt, display = std::string(name)] {
    Display* opened = XOpenDisplay(display.c_str());
    if (opened) XCloseDisplay(opened);
    std::lock_guard lock(attempt->mutex);
    attempt->opened = opened != nullptr;
    attempt->finished = true;
    attempt->done.notify_all();
  }).detach();

  std::unique_lock lock(attempt->mutex);
  if (!attempt->done.wait_for(lock, limit, [&] { return attempt->finished; }))
    return "the X display " + quoted + " does not answer";
  if (!attempt->opened) return "cannot open X display " + quoted;
  return {};
}

}  // namespace fw
