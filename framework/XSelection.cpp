#include "framework/XSelection.h"

#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>  // xcb_poll_for_reply

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace fw {

namespace {

using Clock = XClipboardReader::Clock;
using Outcome = XClipboardReader::Outcome;

struct Free {
  void operator()(void* p) const { std::free(p); }
};
template <class T>
using Owned = std::unique_ptr<T, Free>;

// GetProperty's length, in 4-byte units: all the property holds.
constexpr std::uint32_t kWholeProperty = 0x1FFFFFFF;

// How long an owner that let its last read pass without a word has to answer the next: enough
// for one that has come back, little enough that one that never answers costs almost nothing.
constexpr std::chrono::milliseconds kSilentOwnersTurn{10};

// An owner that ran out of time while sending slower than this is given one stall's time in all
// at the next read; one that sent faster is simply slow with a large picture, and is not.
constexpr double kSlowestBytesPerSecond = 1 << 20;

// How long the next piece may be quiet before the owner is nudged.
constexpr std::chrono::milliseconds kNudge{10};

// When a wait ends: `stall` after the owner's last word, and never after `latest`.
struct Patience {
  Clock::time_point lastWord;
  Clock::duration stall;
  Clock::time_point latest;
  Clock::time_point Until() const { return std::min(lastWord + stall, latest); }
  void Heard() { lastWord = Clock::now(); }
};

}  // namespace

struct XClipboardReader::Impl {
  xcb_connection_t* connection = nullptr;
  xcb_window_t root = 0;
  // The owner whose last read ran out of time, saying nothing or sending too slowly, and whether
  // it said nothing at all.
  xcb_window_t lateOwner = XCB_NONE;
  bool lateOwnerSilent = false;
  bool timedOut = false;  // the last wait ended at its deadline
  std::unordered_map<std::string, xcb_atom_t> atoms;

  ~Impl() { Drop(); }

  void Drop() {
    if (connection) xcb_disconnect(connection);
    connection = nullptr;
    atoms.clear();
  }

  // The connection, opened again after the last one was lost.
  bool Connect() {
    if (connection && xcb_connection_has_error(connection)) Drop();
    if (connection) return true;
    int screen = 0;
    connection = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(connection)) {
      Drop();
      return false;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; it.rem > 0 && screen > 0; --screen) xcb_screen_next(&it);
    if (it.rem == 0) {
      Drop();
      return false;
    }
    root = it.data->root;
    return true;
  }

  // Sends what is queued, then waits until the server has something for us; false at the
  // deadline or when the connection is lost.
  bool WaitReadable(Clock::time_point deadline) {
    if (xcb_flush(connection) <= 0) return false;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd p{xcb_get_file_descriptor(connection), POLLIN, 0};
    const int ready = poll(&p, 1, int(std::min<long long>(left, 60000)));
    return ready > 0 || (ready < 0 && errno == EINTR);
  }

  template <class Reply>
  Owned<Reply> WaitReply(unsigned int sequence, Clock::time_point deadline) {
    for (;;) {
      void* reply = nullptr;
      xcb_generic_error_t* error = nullptr;
      // Reads what has arrived, events included: they wait in xcb's queue for NextEvent.
      if (xcb_poll_for_reply(connection, sequence, &reply, &error)) {
        std::free(error);
        return Owned<Reply>(static_cast<Reply*>(reply));
      }
      if (xcb_connection_has_error(connection) || !WaitReadable(deadline)) {
        timedOut = !xcb_connection_has_error(connection);
        xcb_discard_reply(connection, sequence);
        return nullptr;
      }
    }
  }

  Owned<xcb_generic_event_t> NextEvent(Clock::time_point deadline) {
    for (;;) {
      if (xcb_generic_event_t* event = xcb_poll_for_event(connection))
        return Owned<xcb_generic_event_t>(event);
      if (xcb_connection_has_error(connection) || !WaitReadable(deadline)) {
        timedOut = !xcb_connection_has_error(connection);
        return nullptr;
      }
    }
  }

  // The atoms of these names, asked for together; false when they did not all come in time.
  bool Intern(const std::vector<std::string>& names, Clock::time_point deadline) {
    std::vector<std::pair<const std::string*, xcb_intern_atom_cookie_t>> asked;
    for (const std::string& name : names)
      if (!atoms.contains(name))
        asked.emplace_back(&name, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.data()));
    bool all = true;
    for (auto& [name, cookie] : asked) {
      auto reply = WaitReply<xcb_intern_atom_reply_t>(cookie.sequence, deadline);
      if (reply) atoms[*name] = reply->atom;
      else all = false;
    }
    return all;
  }

  Owned<xcb_get_property_reply_t> TakeProperty(xcb_window_t window, xcb_atom_t property,
                                               Clock::time_point deadline) {
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, kWholeProperty);
    return WaitReply<xcb_get_property_reply_t>(cookie.sequence, deadline);
  }

  Outcome Transfer(xcb_window_t window, xcb_atom_t property, const Sink& sink,
                   Clock::time_point answerBy, Patience& patience, bool& answered);
};

namespace {
constexpr const char* kClipboard = "CLIPBOARD";
constexpr const char* kIncr = "INCR";
constexpr const char* kTargets = "TARGETS";
constexpr const char* kProperty = "FW_SELECTION";  // where owners put what we ask for
}  // namespace

XClipboardReader::XClipboardReader() : impl_(std::make_unique<Impl>()) {}
XClipboardReader::~XClipboardReader() = default;

XClipboardReader::Outcome XClipboardReader::Read(const std::string& target, const Sink& sink,
                                                 Clock::duration stall,
                                                 Clock::time_point latest) {
  Impl& x = *impl_;
  Patience patience{Clock::now(), stall, latest};
  x.timedOut = false;
  if (!x.Connect() || !x.Intern({kClipboard, kIncr, kProperty, target}, patience.Until()))
    return Outcome::kFailed;
  // A window for this read alone: a late answer to an earlier read that was given up goes to a
  // window that is gone, and cannot be taken for this one's.
  xcb_connection_t* c = x.connection;
  const xcb_window_t window = xcb_generate_id(c);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c, 0, window, x.root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  const xcb_atom_t property = x.atoms[kProperty];
  const xcb_get_selection_owner_cookie_t asked = xcb_get_selection_owner(c, x.atoms[kClipboard]);
  xcb_convert_selection(c, window, x.atoms[kClipboard], x.atoms[target], property,
                        XCB_CURRENT_TIME);
  Outcome outcome = Outcome::kFailed;
  auto owner = x.WaitReply<xcb_get_selection_owner_reply_t>(asked.sequence, patience.Until());
  if (owner && owner->owner == XCB_NONE) {
    outcome = Outcome::kRefused;
  } else if (owner) {
    // An owner that ran out of time last time, saying nothing or next to nothing, gets one
    // stall's time in all, and if it said nothing then, a moment to answer: a program that keeps
    // the clipboard and never hands it over costs each read next to nothing.
    Clock::time_point answerBy = patience.Until();
    if (owner->owner == x.lateOwner) {
      patience.latest = std::min(patience.latest, patience.lastWord + stall);
      if (x.lateOwnerSilent) answerBy = std::min(answerBy, Clock::now() + kSilentOwnersTurn);
    }
    bool answered = false;
    std::size_t received = 0;
    const Sink counted = [&sink, &received](std::span<const std::uint8_t> piece) {
      received += piece.size();
      return sink(piece);
    };
    const Clock::time_point began = Clock::now();
    outcome = x.Transfer(window, property, counted, answerBy, patience, answered);
    const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
    const bool late = outcome == Outcome::kFailed && x.timedOut &&
                      double(received) < kSlowestBytesPerSecond * seconds;
    x.lateOwner = late ? owner->owner : XCB_NONE;
    x.lateOwnerSilent = late && !answered;
  }
  xcb_destroy_window(c, window);
  xcb_flush(c);
  return outcome;
}

XClipboardReader::Outcome XClipboardReader::Impl::Transfer(
    xcb_window_t window, xcb_atom_t property, const Sink& sink, Clock::time_point answerBy,
    Patience& patience, bool& answered) {
  // The owner's answer: the data is in the property, or None when it has no such form.
  for (;;) {
    Owned<xcb_generic_event_t> event = NextEvent(answerBy);
    if (!event) return Outcome::kFailed;
    if ((event->response_type & 0x7F) != XCB_SELECTION_NOTIFY) continue;
    const auto* notify = reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
    if (notify->requestor != window) continue;
    answered = true;
    if (notify->property == XCB_NONE) return Outcome::kRefused;
    break;
  }
  patience.Heard();
  // Reading deletes the property, which for an incremental transfer asks for the first piece.
  Owned<xcb_get_property_reply_t> reply = TakeProperty(window, property, patience.Until());
  if (!reply || reply->type == XCB_NONE) return Outcome::kFailed;
  auto value = [](const xcb_get_property_reply_t& r) {
    return std::span<const std::uint8_t>(
        static_cast<const std::uint8_t*>(xcb_get_property_value(&r)),
        std::size_t(xcb_get_property_value_length(&r)));
  };
  if (reply->type != atoms[kIncr]) return sink(value(*reply)) ? Outcome::kDone : Outcome::kFailed;
  // Incremental: each new value of the property is the next piece; an empty one is the end.
  for (;;) {
    Owned<xcb_generic_event_t> event = NextEvent(std::min(patience.Until(), Clock::now() + kNudge));
    if (!event && timedOut && Clock::now() < patience.Until()) {
      // An owner can sleep with our request already in its queue, until some other event wakes
      // it. It watches our window's properties for the transfer: a change to another one is
      // such an event, and it ignores it otherwise.
      xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME,
                          XCB_ATOM_STRING, 8, 0, nullptr);
      timedOut = false;
      continue;
    }
    if (!event) return Outcome::kFailed;
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) continue;
    const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
    if (change->window != window || change->atom != property ||
        change->state != XCB_PROPERTY_NEW_VALUE)
      continue;
    patience.Heard();
    reply = TakeProperty(window, property, patience.Until());
    if (!reply) return Outcome::kFailed;
    const std::span<const std::uint8_t> piece = value(*reply);
    if (piece.empty()) return Outcome::kDone;
    if (!sink(piece)) return Outcome::kFailed;
  }
}

std::string XClipboardReader::FirstOffered(const std::vector<std::string>& wanted,
                                           Clock::duration stall, Clock::time_point latest) {
  std::vector<std::uint8_t> list;
  const Sink keep = [&list](std::span<const std::uint8_t> piece) {
    list.insert(list.end(), piece.begin(), piece.end());
    return list.size() <= 65536;  // a list of forms, not a picture
  };
  if (Read(kTargets, keep, stall, latest) != Outcome::kDone) return {};
  if (!impl_->Intern(wanted, std::min(Clock::now() + stall, latest))) return {};
  std::vector<xcb_atom_t> offered(list.size() / sizeof(xcb_atom_t));
  std::memcpy(offered.data(), list.data(), offered.size() * sizeof(xcb_atom_t));
  for (const std::string& name : wanted)
    if (std::ranges::find(offered, impl_->atoms[name]) != offered.end()) return name;
  return {};
}

}  // namespace fw
