#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstddef>
#include <vector>

namespace capture {

// A picture of the whole root window, held as a complete BMP file (32-bit, top-down), so that it
// can be handed to a reader without any further conversion.
//
// On a local server with MIT-SHM the server writes the pixels straight into a shared segment
// that already holds the BMP header in front of them; elsewhere, or for a visual whose pixels
// are not 32-bit little-endian BGRX, the pixels are read with XGetImage and copied.
class ScreenGrab {
public:
    // Grabs the default screen's root window. Throws std::runtime_error with a one-line reason.
    explicit ScreenGrab(Display* display);
    ~ScreenGrab();
    ScreenGrab(const ScreenGrab&) = delete;
    ScreenGrab& operator=(const ScreenGrab&) = delete;

    const unsigned char* bmp() const { return bmp_; }
    std::size_t bmpSize() const { return bmpSize_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool shared() const { return shmImage_ != nullptr; }

private:
    bool grabShared(Window root, Visual* visual, int depth);
    void grabPlain(Window root, Visual* visual);
    void copyPixels(XImage* image, Visual* visual, unsigned char* out) const;

    Display* display_;
    int width_ = 0;
    int height_ = 0;
    XShmSegmentInfo shm_{};
    XImage* shmImage_ = nullptr;
    std::vector<unsigned char> own_;
    const unsigned char* bmp_ = nullptr;
    std::size_t bmpSize_ = 0;
};

}  // namespace capture
