#pragma once
// A CLIPBOARD owner for tests, on an X connection of its own (DISPLAY): it hands over one piece of
// data in one form, whole or incrementally, and can be told to misbehave as other programs do.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <xcb/xcb.h>

namespace testing_x11 {

struct OwnerBehaviour {
  std::string type = "image/bmp";
  std::vector<std::uint8_t> data;
  std::size_t piece = 0;  // 0: the data whole in one property; otherwise pieces of this size
  bool silent = false;    // never answers a request
  bool retake = false;    // takes the clipboard back whenever another client takes it
  std::size_t endAfter = SIZE_MAX;             // ends an incremental transfer after this many bytes
  std::chrono::milliseconds delay{0};          // before each answer and each piece
  // Sends an incremental piece asked for only when some other event comes, as an owner does that
  // sleeps with the request already in its queue.
  bool sleepy = false;
};

class SelectionOwner {
 public:
  // Owns the clipboard when it returns; serves on a thread of its own until destroyed.
  explicit SelectionOwner(OwnerBehaviour behaviour);
  ~SelectionOwner();
  SelectionOwner(const SelectionOwner&) = delete;
  SelectionOwner& operator=(const SelectionOwner&) = delete;

  // Serves on the calling thread for good (for a stand-alone owner program).
  static void ServeForever(OwnerBehaviour behaviour);

  // Requests it has had for the data's own form.
  int Requests() const { return requests_; }

 private:
  struct Transfer {
    xcb_window_t requestor;
    xcb_atom_t property;
    std::size_t offset;
    bool asked = false;  // the next piece is due
  };
  explicit SelectionOwner(OwnerBehaviour behaviour, bool threaded);
  bool Own();
  void Serve();
  void Handle(const xcb_generic_event_t& event);
  void Answer(const xcb_selection_request_event_t& request);
  void Advance(Transfer& transfer);
  xcb_atom_t Atom(const std::string& name);

  OwnerBehaviour b_;
  xcb_connection_t* c_ = nullptr;
  xcb_window_t window_ = 0;
  xcb_atom_t clipboard_ = 0, targets_ = 0, incr_ = 0, type_ = 0;
  std::vector<Transfer> transfers_;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  std::thread thread_;
};

// Starts Xvfb on a free display and points DISPLAY at it for as long as it lives.
class XvfbServer {
 public:
  explicit XvfbServer(const char* size = "640x480x24");
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;
  void Kill();  // as when the server goes away
  const std::string& Name() const { return name_; }

 private:
  int pid_ = -1;
  std::string name_;
};

}  // namespace testing_x11
