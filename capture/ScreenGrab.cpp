#include "capture/ScreenGrab.h"

#include "capture/XErrors.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace capture {

namespace {

constexpr std::size_t kHeaderSize = 14 + 40;  // file header + BITMAPINFOHEADER
// The header starts 2 bytes in, so that the pixels after it start 8-byte aligned.
constexpr std::size_t kLead = 2;
constexpr std::size_t kPixelOffset = kLead + kHeaderSize;

void put16(unsigned char*& p, std::uint16_t v)
{
    *p++ = v & 0xFF;
    *p++ = v >> 8;
}

void put32(unsigned char*& p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        *p++ = (v >> (8 * i)) & 0xFF;
}

// A 32-bit BI_RGB BMP with a negative height: rows top-down, as the server hands them over.
void writeHeader(unsigned char* p, int width, int height)
{
    const std::uint32_t pixelBytes = std::uint32_t(width) * std::uint32_t(height) * 4;
    *p++ = 'B';
    *p++ = 'M';
    put32(p, std::uint32_t(kHeaderSize) + pixelBytes);
    put32(p, 0);
    put32(p, std::uint32_t(kHeaderSize));
    put32(p, 40);
    put32(p, std::uint32_t(width));
    put32(p, std::uint32_t(-height));
    put16(p, 1);
    put16(p, 32);
    put32(p, 0);  // BI_RGB
    put32(p, pixelBytes);
    put32(p, 2835);  // 72 dpi
    put32(p, 2835);
    put32(p, 0);
    put32(p, 0);
}

// Pixels a BMP can take as they are: 32-bit, bytes B, G, R, pad.
bool isBgrx(const XImage* image)
{
    return image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
           image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
           image->blue_mask == 0xFF;
}

struct Channel {
    int shift = 0;
    unsigned long max = 0;

    explicit Channel(unsigned long mask)
    {
        if (mask == 0)
            return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        max = mask;
    }

    unsigned char of(unsigned long pixel) const
    {
        if (max == 0)
            return 0;
        return static_cast<unsigned char>(((pixel >> shift) & max) * 255 / max);
    }
};

}  // namespace

ScreenGrab::ScreenGrab(Display* display) : display_(display)
{
    const int screen = DefaultScreen(display);
    width_ = DisplayWidth(display, screen);
    height_ = DisplayHeight(display, screen);
    Visual* visual = DefaultVisual(display, screen);
    if (visual->c_class != TrueColor && visual->c_class != DirectColor)
        throw std::runtime_error("the screen's visual has no direct colours");
    if (std::uint64_t(width_) * std::uint64_t(height_) * 4 + kHeaderSize > UINT32_MAX)
        throw std::runtime_error("the screen is too large for a BMP picture");

    const Window root = RootWindow(display, screen);
    if (!grabShared(root, visual, DefaultDepth(display, screen)))
        grabPlain(root, visual);
}

ScreenGrab::~ScreenGrab()
{
    if (shmImage_) {
        XShmDetach(display_, &shm_);
        shmdt(shm_.shmaddr);
        shmImage_->data = nullptr;
        XDestroyImage(shmImage_);
    }
}

bool ScreenGrab::grabShared(Window root, Visual* visual, int depth)
{
    if (!XShmQueryExtension(display_))
        return false;
    XImage* image = XShmCreateImage(display_, visual, depth, ZPixmap, nullptr, &shm_, width_, height_);
    if (!image)
        return false;
    if (!isBgrx(image) || image->bytes_per_line != width_ * 4) {
        XDestroyImage(image);
        return false;
    }
    const std::size_t size = kPixelOffset + std::size_t(image->bytes_per_line) * height_;
    shm_.shmid = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (shm_.shmid < 0) {
        XDestroyImage(image);
        return false;
    }
    shm_.shmaddr = static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
    // Marked for removal at once: the segment goes when both we and the server let go of it,
    // even if we are killed.
    shmctl(shm_.shmid, IPC_RMID, nullptr);
    if (shm_.shmaddr == reinterpret_cast<char*>(-1)) {
        XDestroyImage(image);
        return false;
    }
    shm_.readOnly = False;
    image->data = shm_.shmaddr + kPixelOffset;

    // A remote server accepts the extension but cannot attach our segment: the attach or the
    // grab then fails with an error, and the plain path takes over.
    const unsigned long before = errorCount();
    const bool attached = XShmAttach(display_, &shm_);
    if (!attached || !XShmGetImage(display_, root, image, 0, 0, AllPlanes) || errorCount() != before) {
        if (attached) {
            XShmDetach(display_, &shm_);
            XSync(display_, False);
        }
        shmdt(shm_.shmaddr);
        image->data = nullptr;
        XDestroyImage(image);
        return false;
    }
    shmImage_ = image;
    auto* file = reinterpret_cast<unsigned char*>(shm_.shmaddr) + kLead;
    writeHeader(file, width_, height_);
    bmp_ = file;
    bmpSize_ = kHeaderSize + std::size_t(width_) * height_ * 4;
    return true;
}

void ScreenGrab::grabPlain(Window root, Visual* visual)
{
    XImage* image = XGetImage(display_, root, 0, 0, width_, height_, AllPlanes, ZPixmap);
    if (!image)
        throw std::runtime_error("the server did not hand over the screen's pixels");
    own_.resize(kPixelOffset + std::size_t(width_) * height_ * 4);
    copyPixels(image, visual, own_.data() + kPixelOffset);
    XDestroyImage(image);
    writeHeader(own_.data() + kLead, width_, height_);
    bmp_ = own_.data() + kLead;
    bmpSize_ = own_.size() - kLead;
}

void ScreenGrab::copyPixels(XImage* image, Visual* visual, unsigned char* out) const
{
    const std::size_t rowBytes = std::size_t(width_) * 4;
    if (isBgrx(image)) {
        for (int y = 0; y < height_; ++y)
            std::memcpy(out + y * rowBytes, image->data + std::size_t(y) * image->bytes_per_line, rowBytes);
        return;
    }
    // Any other direct-colour layout (16-bit screens, a big-endian server): pixel by pixel.
    const Channel red(visual->red_mask), green(visual->green_mask), blue(visual->blue_mask);
    for (int y = 0; y < height_; ++y) {
        unsigned char* p = out + y * rowBytes;
        for (int x = 0; x < width_; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            *p++ = blue.of(pixel);
            *p++ = green.of(pixel);
            *p++ = red.of(pixel);
            *p++ = 0;
        }
    }
}

}  // namespace capture
