#pragma once
// The system clipboard's picture. A service with a real implementation and a test double.
#include <chrono>
#include <memory>

#include "framework/Object.h"
#include "framework/Picture.h"

namespace fw {

class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  // The picture on the clipboard now; nil when it holds none.
  virtual Ref<fw::Picture> Picture() = 0;
};

// The real clipboard: the X CLIPBOARD selection, asked anew each time over a connection of its
// own. A picture in BMP form is asked for first; other forms (PNG ...) are read by the toolkit's
// general reader. The read runs on the event loop's thread and the window must keep answering
// whatever the owner does: nil when the owner lets `stall` pass without an answer or a next
// piece, or has not handed the whole picture over within `longest`; an owner that ran out of
// time at the last read, saying or sending next to nothing, has one stall's time in all.
class SystemClipboardService : public ClipboardService {
 public:
  static constexpr std::chrono::milliseconds kStall{100};  // one tick of the readouts
  static constexpr std::chrono::milliseconds kLongest{1000};
  explicit SystemClipboardService(std::chrono::milliseconds stall = kStall,
                                  std::chrono::milliseconds longest = kLongest);
  ~SystemClipboardService() override;
  Ref<fw::Picture> Picture() override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A test double: the picture is set by hand, and reads are counted.
class ManualClipboardService : public ClipboardService {
 public:
  Ref<fw::Picture> Picture() override {
    ++reads_;
    return picture_;
  }
  void SetPicture(Ref<fw::Picture> picture) { picture_ = std::move(picture); }
  int Reads() const { return reads_; }

 private:
  Ref<fw::Picture> picture_;
  int reads_ = 0;
};

// The service in force: SystemClipboardService unless a test set another.
ClipboardService& GetClipboardService();
// Puts a service in force; nullptr puts the real one back.
void SetClipboardService(std::unique_ptr<ClipboardService> service);

class Clipboard : public Object {
  FW_CLASS("Clipboard")
 public:
  // The clipboard's picture; nil when there is none.
  Ref<fw::Picture> Picture() const { return GetClipboardService().Picture(); }
  void Close() {}
};

}  // namespace fw
