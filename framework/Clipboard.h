#pragma once
// The system clipboard's picture. A service with a real implementation and a test double.
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

// The real clipboard, through the toolkit (on X11 the CLIPBOARD selection, asked anew each time).
class SystemClipboardService : public ClipboardService {
 public:
  Ref<fw::Picture> Picture() override;
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
