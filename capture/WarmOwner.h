#pragma once

#include "capture/BmpFile.h"
#include "capture/ClipboardOwner.h"
#include "capture/ScreenGrab.h"

#include <X11/Xlib.h>

#include <array>
#include <memory>

namespace capture {

// The display's clipboard owner between captures: it serves the picture it holds, and on each
// request that comes over its listening socket (see OwnerSocket.h) grabs the screen again into
// the buffers it already has and owns the clipboard anew. It stops listening as soon as the
// clipboard is another's, and ends once the transfers under way are done.
class WarmOwner {
public:
    // Takes over `listener` (-1: listen to nobody).
    WarmOwner(Display* display, int listener);
    ~WarmOwner();
    WarmOwner(const WarmOwner&) = delete;
    WarmOwner& operator=(const WarmOwner&) = delete;

    // Grabs the first picture and owns the clipboard with it; false when the server does not give
    // us the clipboard. Throws std::runtime_error when the grab fails.
    bool start();
    // Serves until the clipboard has been taken and no transfer is left, or the server has gone.
    void serve();

private:
    bool capture();
    void serveRequests();
    void stopListening();

    ClipboardOwner owner_;
    ScreenGrabber grabber_;
    int listener_;
    // Two buffers: a new picture goes into the one no reader is still taking.
    std::array<std::unique_ptr<BmpFile>, 2> pictures_;
    std::size_t current_ = 0;
};

}  // namespace capture
