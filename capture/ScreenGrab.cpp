#include "capture/ScreenGrab.h"

#include "capture/XErrors.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstddef>
#include <memory>
#include <stdexcept>

namespace capture {

namespace {

// The screen is read a strip of rows at a time through one small segment. The server then
// faults in the segment's pages once, not a whole screen's worth of new pages, and each strip is
// still in the cache when it is packed into the file.
constexpr std::size_t kStripBytes = std::size_t(1) << 20;

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
        return max == 0 ? 0 : static_cast<unsigned char>(((pixel >> shift) & max) * 255 / max);
    }
};

// B, G, R, pad pixels to B, G, R: a plain loop the compiler vectorises.
void packBgrxPlain(const unsigned char* in, unsigned char* out, std::size_t pixels)
{
    for (std::size_t x = 0; x < pixels; ++x, in += 4, out += 3) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Four pixels a step with one byte shuffle: several times the plain loop's speed.
__attribute__((target("ssse3"))) void packBgrxShuffle(const unsigned char* in, unsigned char* out,
                                                        std::size_t pixels)
{
    const __m128i order = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    std::size_t x = 0;
    // Each step stores 16 bytes of which 12 count: stop while the store still ends in the row.
    for (; x + 6 <= pixels; x += 4, in += 16, out += 12) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(four, order));
    }
    packBgrxPlain(in, out, pixels - x);
}

const bool kHasShuffle = __builtin_cpu_supports("ssse3");
#endif

void packBgrx(const unsigned char* in, unsigned char* out, std::size_t pixels)
{
#if defined(__x86_64__) || defined(__i386__)
    if (kHasShuffle) {
        packBgrxShuffle(in, out, pixels);
        return;
    }
#endif
    packBgrxPlain(in, out, pixels);
}

// Turns rows of the server's pixels into the file's B, G, R.
class RowPacker {
public:
    explicit RowPacker(const Visual& visual)
        : red_(visual.red_mask), green_(visual.green_mask), blue_(visual.blue_mask)
    {
    }

    void pack(const XImage& strip, int y, unsigned char* out) const
    {
        const auto* in = reinterpret_cast<const unsigned char*>(strip.data) + std::size_t(y) * strip.bytes_per_line;
        const int width = strip.width;
        if (strip.bits_per_pixel == 32 && strip.byte_order == LSBFirst && strip.red_mask == 0xFF0000 &&
            strip.green_mask == 0xFF00 && strip.blue_mask == 0xFF) {
            // Bytes B, G, R, pad: the usual 24-bit screen.
            packBgrx(in, out, std::size_t(width));
            return;
        }
        // Any other direct-colour layout (16-bit screens, a big-endian server): pixel by pixel.
        auto& image = const_cast<XImage&>(strip);  // XGetPixel only reads
        for (int x = 0; x < width; ++x, out += 3) {
            const unsigned long pixel = XGetPixel(&image, x, y);
            out[0] = blue_.of(pixel);
            out[1] = green_.of(pixel);
            out[2] = red_.of(pixel);
        }
    }

private:
    Channel red_, green_, blue_;
};

// XShmCreateImage points an image's obdata at our XShmSegmentInfo (XShmGetImage reads it there)
// and its data into the segment: neither is XDestroyImage's to free.
void destroySharedImage(XImage* image)
{
    image->data = nullptr;
    image->obdata = nullptr;
    XDestroyImage(image);
}

// Holds the server for the strips: they make one picture, with nothing drawn in between.
class ServerGrab {
public:
    explicit ServerGrab(Display* display) : display_(display) { XGrabServer(display); }
    ~ServerGrab()
    {
        XUngrabServer(display_);
        XFlush(display_);
    }
    ServerGrab(const ServerGrab&) = delete;
    ServerGrab& operator=(const ServerGrab&) = delete;

private:
    Display* display_;
};

struct ImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using OwnedImage = std::unique_ptr<XImage, ImageDeleter>;

}  // namespace

// A strip of rows shared with the server through MIT-SHM. Unusable on servers without the
// extension and on remote ones, which accept it but cannot attach our segment.
class SharedStrip {
public:
    SharedStrip(Display* display, Visual* visual, int depth, int width, int rows) : display_(display)
    {
        if (!XShmQueryExtension(display))
            return;
        image_ = XShmCreateImage(display, visual, depth, ZPixmap, nullptr, &shm_, width, rows);
        if (!image_)
            return;
        shm_.shmid = shmget(IPC_PRIVATE, std::size_t(image_->bytes_per_line) * rows, IPC_CREAT | 0600);
        if (shm_.shmid >= 0) {
            shm_.shmaddr = static_cast<char*>(shmat(shm_.shmid, nullptr, SHM_RDONLY));
            // Marked for removal at once: the segment goes when we and the server let go of it,
            // even if we are killed.
            shmctl(shm_.shmid, IPC_RMID, nullptr);
            if (shm_.shmaddr != reinterpret_cast<char*>(-1)) {
                image_->data = shm_.shmaddr;
                shm_.readOnly = False;  // the server writes, we only read
                attached_ = XShmAttach(display, &shm_);
                if (attached_)
                    return;
                shmdt(shm_.shmaddr);
            }
        }
        destroySharedImage(image_);
        image_ = nullptr;
    }

    ~SharedStrip()
    {
        if (attached_) {
            XShmDetach(display_, &shm_);
            shmdt(shm_.shmaddr);
        }
        if (image_)
            destroySharedImage(image_);
    }

    SharedStrip(const SharedStrip&) = delete;
    SharedStrip& operator=(const SharedStrip&) = delete;

    // The rows [y, y + rows) of the window, or nullptr when the server refuses.
    const XImage* read(Window window, int y, int rows)
    {
        if (!attached_)
            return nullptr;
        image_->height = rows;
        const unsigned long before = errorCount();
        if (!XShmGetImage(display_, window, image_, 0, y, AllPlanes) || errorCount() != before)
            return nullptr;
        return image_;
    }

private:
    Display* display_;
    XShmSegmentInfo shm_{};
    XImage* image_ = nullptr;
    bool attached_ = false;
};

ScreenGrabber::ScreenGrabber(Display* display) : display_(display) {}

ScreenGrabber::~ScreenGrabber() = default;

void ScreenGrabber::grab(std::unique_ptr<BmpFile>& file)
{
    Display* display = display_;
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    if (visual->c_class != TrueColor && visual->c_class != DirectColor)
        throw std::runtime_error("the screen's visual has no direct colours");
    const Window root = RootWindow(display, screen);
    // The root's size now, not the one at connection time: a screen can be resized (RandR)
    // while we serve.
    Window ignoredRoot;
    int ignoredX, ignoredY;
    unsigned int width, height, ignoredBorder, ignoredDepth;
    if (!XGetGeometry(display, root, &ignoredRoot, &ignoredX, &ignoredY, &width, &height, &ignoredBorder,
                      &ignoredDepth))
        throw std::runtime_error("the X server did not tell the screen's size");
    if (!file || file->width() != int(width) || file->height() != int(height))
        file = std::make_unique<BmpFile>(int(width), int(height));

    const RowPacker packer(*visual);
    const int rows = std::clamp(int(kStripBytes / (std::size_t(width) * 4)), 1, int(height));
    if (sharing_ && (!shared_ || sharedWidth_ != int(width) || sharedRows_ != rows)) {
        shared_.reset();
        shared_ = std::make_unique<SharedStrip>(display, visual, DefaultDepth(display, screen), int(width), rows);
        sharedWidth_ = int(width);
        sharedRows_ = rows;
    }
    const ServerGrab hold(display);
    for (int y = 0; y < int(height); y += rows) {
        const int n = std::min(rows, int(height) - y);
        const XImage* strip = sharing_ ? shared_->read(root, y, n) : nullptr;
        OwnedImage plain;
        if (!strip) {
            // Refused once, refused for good: the server is remote or has no MIT-SHM.
            sharing_ = false;
            shared_.reset();
            plain.reset(XGetImage(display, root, 0, y, int(width), n, AllPlanes, ZPixmap));
            if (!plain)
                throw std::runtime_error("the X server did not hand over the screen's pixels");
            strip = plain.get();
        }
        for (int i = 0; i < n; ++i)
            packer.pack(*strip, i, file->row(y + i));
    }
}

}  // namespace capture
