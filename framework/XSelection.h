#pragma once
// Reads the CLIPBOARD selection over an X connection of its own (xcb), every wait bounded: an
// owner that never answers, answers slowly or sends without end cannot hold the caller. A lost
// server is an outcome like any other, never a crash.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace fw {

class XClipboardReader {
 public:
  using Clock = std::chrono::steady_clock;
  // Takes the next piece of the data; false to give the transfer up.
  using Sink = std::function<bool(std::span<const std::uint8_t>)>;
  enum class Outcome {
    kDone,     // every piece was handed to the sink
    kRefused,  // nobody owns the clipboard, or its owner does not offer that form
    kFailed,   // the owner ran out of time, the sink gave up, or there is no X server
  };

  XClipboardReader();
  ~XClipboardReader();
  XClipboardReader(const XClipboardReader&) = delete;
  XClipboardReader& operator=(const XClipboardReader&) = delete;

  // Asks the clipboard's owner for its data as `target` (e.g. "image/bmp") and hands it to the
  // sink in order, large data one piece at a time (INCR) as the owner sends them. The owner has
  // `stall` for its answer and for each next piece, and the whole read ends by `latest`. An owner
  // whose last read ran out of time while it said nothing or sent next to nothing has one
  // stall's time in all, and if it said nothing then, only a moment to answer.
  Outcome Read(const std::string& target, const Sink& sink, Clock::duration stall,
               Clock::time_point latest);

  // Of the forms named in `wanted`, the first that the owner offers; empty when it offers none.
  std::string FirstOffered(const std::vector<std::string>& wanted, Clock::duration stall,
                           Clock::time_point latest);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace fw
