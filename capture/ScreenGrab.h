#pragma once

#include "capture/BmpFile.h"

#include <X11/Xlib.h>

#include <memory>

namespace capture {

class SharedStrip;

// Pictures of the whole root window of the display's default screen, each taken with the server
// grabbed, so nothing draws while it is read. It keeps what one grab set up (the shared segment
// with the server) for the next, and fills a picture it is handed again.
class ScreenGrabber {
public:
    explicit ScreenGrabber(Display* display);
    ~ScreenGrabber();
    ScreenGrabber(const ScreenGrabber&) = delete;
    ScreenGrabber& operator=(const ScreenGrabber&) = delete;

    // Grabs the screen into `file`, made anew when there is none or the screen's size has changed.
    // Throws std::runtime_error with a one-line reason.
    void grab(std::unique_ptr<BmpFile>& file);

private:
    Display* display_;
    std::unique_ptr<SharedStrip> shared_;
    int sharedWidth_ = 0;
    int sharedRows_ = 0;
    bool sharing_ = true;
};

}  // namespace capture
