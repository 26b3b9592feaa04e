#include "support/SelectionOwner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace testing_x11 {

namespace {

template <class T>
struct Reply {
  T* p;
  ~Reply() { std::free(p); }
};
}  // namespace

SelectionOwner::SelectionOwner(OwnerBehaviour behaviour) : SelectionOwner(std::move(behaviour), true) {}

SelectionOwner::SelectionOwner(OwnerBehaviour behaviour, bool threaded) : b_(std::move(behaviour)) {
  c_ = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c_)) throw std::runtime_error("no X display for the owner");
  clipboard_ = Atom("CLIPBOARD");
  targets_ = Atom("TARGETS");
  incr_ = Atom("INCR");
  type_ = Atom(b_.type);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
  window_ = xcb_generate_id(c_);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c_, 0, window_, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  if (!Own()) throw std::runtime_error("could not own the clipboard");
  if (threaded) thread_ = std::thread([this] { Serve(); });
}

SelectionOwner::~SelectionOwner() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  xcb_disconnect(c_);
}

void SelectionOwner::ServeForever(OwnerBehaviour behaviour) {
  SelectionOwner owner(std::move(behaviour), false);
  owner.Serve();
}

xcb_atom_t SelectionOwner::Atom(const std::string& name) {
  Reply<xcb_intern_atom_reply_t> r{xcb_intern_atom_reply(
      c_, xcb_intern_atom(c_, 0, std::uint16_t(name.size()), name.data()), nullptr)};
  if (!r.p) throw std::runtime_error("no atom " + name);
  return r.p->atom;
}

bool SelectionOwner::Own() {
  // At the server's present time: good enough for a test, and it needs no round trip that could
  // swallow the requests meanwhile.
  xcb_set_selection_owner(c_, window_, clipboard_, XCB_CURRENT_TIME);
  Reply<xcb_get_selection_owner_reply_t> r{
      xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, clipboard_), nullptr)};
  return r.p && r.p->owner == window_;
}

void SelectionOwner::Serve() {
  pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
  while (!stop_) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
      Handle(*event);
      std::free(event);
    }
    if (xcb_connection_has_error(c_)) return;
    xcb_flush(c_);
    poll(&p, 1, 20);
  }
}

void SelectionOwner::Handle(const xcb_generic_event_t& event) {
  for (Transfer& t : transfers_)
    if (t.asked) Advance(t);
  std::erase_if(transfers_, [](const Transfer& t) { return t.requestor == 0; });
  switch (event.response_type & 0x7F) {
    case XCB_SELECTION_REQUEST:
      if (!b_.silent) Answer(reinterpret_cast<const xcb_selection_request_event_t&>(event));
      break;
    case XCB_SELECTION_CLEAR:
      if (b_.retake) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        Own();
      }
      break;
    case XCB_PROPERTY_NOTIFY: {
      const auto& change = reinterpret_cast<const xcb_property_notify_event_t&>(event);
      if (change.state != XCB_PROPERTY_DELETE) break;
      for (Transfer& t : transfers_)
        if (t.requestor == change.window && t.property == change.atom) {
          if (b_.sleepy) t.asked = true;
          else Advance(t);
          break;
        }
      std::erase_if(transfers_, [](const Transfer& t) { return t.requestor == 0; });
      break;
    }
    default:
      break;
  }
}

void SelectionOwner::Answer(const xcb_selection_request_event_t& request) {
  std::this_thread::sleep_for(b_.delay);
  xcb_atom_t property = request.property;
  if (request.target == targets_) {
    const xcb_atom_t list[] = {targets_, type_};
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32,
                        2, list);
  } else if (request.target == type_) {
    ++requests_;
    if (b_.piece == 0 || b_.data.size() <= b_.piece) {
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, request.requestor, property, type_, 8,
                          std::uint32_t(b_.data.size()), b_.data.data());
    } else {
      const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
      xcb_change_window_attributes(c_, request.requestor, XCB_CW_EVENT_MASK, &events);
      const std::uint32_t size = std::uint32_t(b_.data.size());
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, request.requestor, property, incr_, 32, 1,
                          &size);
      transfers_.push_back({request.requestor, property, 0});
    }
  } else {
    property = XCB_NONE;
  }
  xcb_selection_notify_event_t notify{};
  notify.response_type = XCB_SELECTION_NOTIFY;
  notify.time = request.time;
  notify.requestor = request.requestor;
  notify.selection = request.selection;
  notify.target = request.target;
  notify.property = property;
  xcb_send_event(c_, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                 reinterpret_cast<const char*>(&notify));
  xcb_flush(c_);
}

void SelectionOwner::Advance(Transfer& t) {
  std::this_thread::sleep_for(b_.delay);
  const std::size_t end = std::min(b_.data.size(), b_.endAfter);
  const std::size_t size = std::min(b_.piece, end - std::min(end, t.offset));
  xcb_change_property(c_, XCB_PROP_MODE_REPLACE, t.requestor, t.property, type_, 8,
                      std::uint32_t(size), b_.data.data() + t.offset);
  t.offset += size;
  t.asked = false;
  if (size == 0) t.requestor = 0;  // the empty piece ends it
  xcb_flush(c_);
}

XvfbServer::XvfbServer(const char* size) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("no pipe");
  const std::string fd = std::to_string(fds[1]);
  const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", size, "-nolisten", "tcp",
                        "-noreset", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const int failed = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (failed) {
    close(fds[0]);
    throw std::runtime_error("cannot start Xvfb");
  }
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  char ch = 0;
  while (poll(&p, 1, 10000) > 0 && read(fds[0], &ch, 1) == 1 && ch != '\n') number += ch;
  close(fds[0]);
  if (number.empty()) {
    Kill();
    throw std::runtime_error("Xvfb did not start");
  }
  name_ = ":" + number;
  setenv("DISPLAY", name_.c_str(), 1);
}

XvfbServer::~XvfbServer() { Kill(); }

void XvfbServer::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace testing_x11
