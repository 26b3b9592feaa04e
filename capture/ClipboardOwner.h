#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstddef>
#include <span>
#include <vector>

namespace capture {

// Owns the CLIPBOARD selection with one piece of data of one type, and hands it to whoever asks
// (ICCCM): the targets TARGETS, TIMESTAMP and the data's own type, the data in pieces (INCR)
// when it is larger than one piece. It serves until another client takes the clipboard and the
// transfers under way have ended.
class ClipboardOwner {
public:
    // Creates the owner's window and asks the server for a timestamp, which arrives while the
    // caller goes on (one round trip, for the atoms).
    ClipboardOwner(Display* display, const char* type);
    ~ClipboardOwner();
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    // Takes the clipboard for this data, which must outlive serve(). True once the server has
    // confirmed that we own it.
    bool acquire(std::span<const unsigned char> data);

    // Answers requests until the clipboard has been taken by another client and no transfer is
    // left, or the connection is lost.
    void serve();

    // The largest piece put into one property: larger data goes incrementally. Pieces of a few
    // megabytes keep the server's and the reader's buffers small enough to be reused; 16 MiB
    // ones made a 25 MB transfer to Qt a third slower.
    static constexpr std::size_t kPiece = std::size_t(2) << 20;

private:
    using Clock = std::chrono::steady_clock;

    struct Transfer {
        Window requestor;
        Atom property;
        std::size_t offset;  // bytes already handed over
        Clock::time_point deadline;
    };

    Time serverTime();
    void handle(XEvent& event);
    void answer(const XSelectionRequestEvent& request);
    bool convert(Window requestor, Atom target, Atom property);
    void sendData(Window requestor, Atom property);
    void advance(std::size_t index);
    void dropTransfersOf(Window requestor);
    void forget(std::size_t index);
    bool watched(Window requestor) const;

    Display* display_;
    Window window_;
    Atom clipboard_, targets_, timestamp_, incr_, type_;
    Time ownedSince_ = CurrentTime;
    std::span<const unsigned char> data_;
    std::size_t piece_;
    bool lost_ = false;
    std::vector<Transfer> transfers_;
};

}  // namespace capture
