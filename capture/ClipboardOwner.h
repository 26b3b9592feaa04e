#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstddef>
#include <vector>

namespace capture {

// Owns the CLIPBOARD selection with one piece of data of one type, and hands it to whoever asks
// (ICCCM): the targets TARGETS, TIMESTAMP and the data's own type, with INCR for data larger than
// one request. It serves until another client takes the clipboard and the transfers under way
// have ended.
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
    bool acquire(const unsigned char* data, std::size_t size);

    // Answers requests until the clipboard has been taken by another client and no transfer is
    // left, or the connection is lost.
    void serve();

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
    void advance(Transfer& transfer);
    void dropTransfersOf(Window requestor);
    void forget(std::size_t index);
    bool watched(Window requestor) const;

    Display* display_;
    Window window_;
    Atom clipboard_, targets_, timestamp_, incr_, type_;
    Time ownedSince_ = CurrentTime;
    const unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t piece_;  // largest property a single request can carry
    bool lost_ = false;
    std::vector<Transfer> transfers_;
};

}  // namespace capture
