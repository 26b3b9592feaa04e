#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <cstddef>
#include <deque>
#include <span>
#include <unordered_map>

namespace capture {

// Owns the CLIPBOARD selection with one piece of data of one type, and hands it to whoever asks
// (ICCCM): the targets TARGETS, TIMESTAMP and the data's own type, the data in pieces (INCR)
// when it is larger than one piece. Once another client has taken the clipboard it answers no
// new request and is done when the transfers under way have ended.
class ClipboardOwner {
public:
    // Creates the owner's window (one round trip, for the atoms).
    ClipboardOwner(Display* display, const char* type);
    ~ClipboardOwner();
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    // Takes the clipboard for this data with a fresh timestamp, also when we own it already.
    // The data must stay as it is while uses() says so. True once the server has confirmed
    // that we own it.
    bool acquire(std::span<const unsigned char> data);

    // Whether a transfer under way still reads from this data.
    bool uses(std::span<const unsigned char> data) const;
    // Gives up the transfers that read from this data.
    void abandon(std::span<const unsigned char> data);

    // Handles every event that has arrived and gives up stalled transfers; never blocks.
    void dispatch();
    // Sends what is buffered; true when events are already waiting on our side, which a poll()
    // on the connection would not see.
    bool flushAndCheck();
    int connection() const { return ConnectionNumber(display_); }
    // How long a poll() may sleep before a stalled transfer must be given up; -1 for ever.
    int msToNextDeadline() const;

    bool lost() const { return lost_; }
    // Lost the clipboard and no transfer is left.
    bool done() const { return lost_ && transfers_.empty(); }

    // The largest piece put into one property: larger data goes incrementally. Pieces of a few
    // megabytes keep the server's and the reader's buffers small enough to be reused; 16 MiB
    // ones made a 25 MB transfer to Qt a third slower.
    static constexpr std::size_t kPiece = std::size_t(2) << 20;
    // Transfers kept at once. A flood of requests (say, naming windows that do not exist) then
    // costs the oldest transfer its place, not our memory or time.
    static constexpr std::size_t kMaxTransfers = 1024;

private:
    using Clock = std::chrono::steady_clock;

    struct Key {
        Window requestor;
        Atom property;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const { return std::hash<unsigned long>()(k.requestor * 31 + k.property); }
    };
    struct Transfer {
        std::span<const unsigned char> data;
        std::size_t offset = 0;  // bytes already handed over
        Clock::time_point deadline;
    };

    Time serverTime();
    void handle(XEvent& event);
    void answer(const XSelectionRequestEvent& request);
    bool convert(Window requestor, Atom target, Atom property);
    void sendData(Window requestor, Atom property);
    void advance(Key key, Transfer& transfer);
    void expire();
    void evictOldest();
    void queueDeadline(const Key& key, Clock::time_point deadline);
    void forget(Key key);

    Display* display_;
    Window window_;
    Atom clipboard_, targets_, timestamp_, incr_, type_;
    Time ownedSince_ = CurrentTime;
    std::span<const unsigned char> data_;
    std::size_t piece_;
    bool lost_ = false;
    std::unordered_map<Key, Transfer, KeyHash> transfers_;
    // Each transfer's key in the order of its deadline when it was queued; an entry whose
    // transfer has moved on since is queued again with the newer deadline when it comes up.
    std::deque<std::pair<Clock::time_point, Key>> deadlines_;
    std::unordered_map<Window, std::size_t> transfersOf_;  // requestors we watch, and how many
};

}  // namespace capture
