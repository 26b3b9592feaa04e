#include "capture/ClipboardOwner.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <vector>

namespace capture {

namespace {

// A requestor that stops reading an incremental transfer is given up after this long.
constexpr std::chrono::seconds kStall{10};

}  // namespace

ClipboardOwner::ClipboardOwner(Display* display, const char* type) : display_(display)
{
    char* names[] = {const_cast<char*>("CLIPBOARD"), const_cast<char*>("TARGETS"),
                     const_cast<char*>("TIMESTAMP"), const_cast<char*>("INCR"), const_cast<char*>(type)};
    Atom atoms[5];
    XInternAtoms(display, names, 5, False, atoms);
    clipboard_ = atoms[0];
    targets_ = atoms[1];
    timestamp_ = atoms[2];
    incr_ = atoms[3];
    type_ = atoms[4];

    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    window_ = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, CopyFromParent,
                            InputOnly, CopyFromParent, CWEventMask, &attributes);

    long units = XExtendedMaxRequestSize(display);
    if (units == 0)
        units = XMaxRequestSize(display);
    // Less the ChangeProperty request's own header.
    piece_ = std::min(kPiece, std::size_t(units - 8) * 4);
}

ClipboardOwner::~ClipboardOwner()
{
    XDestroyWindow(display_, window_);
    XFlush(display_);
}

// An empty append changes nothing but brings a PropertyNotify with the server's time, the
// timestamp to own the selection with (a selection must not be owned at CurrentTime).
Time ClipboardOwner::serverTime()
{
    XChangeProperty(display_, window_, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(display_, window_, PropertyChangeMask, &event);
    return event.xproperty.time;
}

bool ClipboardOwner::acquire(std::span<const unsigned char> data)
{
    data_ = data;
    ownedSince_ = serverTime();
    XSetSelectionOwner(display_, clipboard_, window_, ownedSince_);
    return XGetSelectionOwner(display_, clipboard_) == window_;
}

bool ClipboardOwner::uses(std::span<const unsigned char> data) const
{
    return std::any_of(transfers_.begin(), transfers_.end(),
                       [&](const auto& entry) { return entry.second.data.data() == data.data(); });
}

void ClipboardOwner::abandon(std::span<const unsigned char> data)
{
    std::vector<Key> keys;
    for (const auto& [key, transfer] : transfers_)
        if (transfer.data.data() == data.data())
            keys.push_back(key);
    for (const Key& key : keys)
        forget(key);
}

void ClipboardOwner::dispatch()
{
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        handle(event);
    }
    expire();
}

bool ClipboardOwner::flushAndCheck()
{
    // Writing a large request can make Xlib read what the server sent meanwhile into its own
    // queue, where a poll() on the connection no longer sees it. XPending flushes and counts it.
    return XPending(display_) > 0;
}

int ClipboardOwner::msToNextDeadline() const
{
    if (deadlines_.empty())
        return -1;
    const auto left = deadlines_.front().first - Clock::now();
    return int(std::max<long>(0, std::chrono::ceil<std::chrono::milliseconds>(left).count()));
}

void ClipboardOwner::handle(XEvent& event)
{
    switch (event.type) {
    case SelectionClear:
        // A clear sent before our latest acquire() is stale: ask who owns it now.
        if (event.xselectionclear.window == window_ && event.xselectionclear.selection == clipboard_)
            lost_ = lost_ || XGetSelectionOwner(display_, clipboard_) != window_;
        break;
    case SelectionRequest:
        answer(event.xselectionrequest);
        break;
    case PropertyNotify: {
        if (event.xproperty.state != PropertyDelete)
            break;
        const auto found = transfers_.find({event.xproperty.window, event.xproperty.atom});
        if (found != transfers_.end())
            advance(found->first, found->second);
        break;
    }
    case DestroyNotify: {
        const Window gone = event.xdestroywindow.window;
        if (!transfersOf_.contains(gone))
            break;
        std::vector<Key> keys;
        for (const auto& entry : transfers_)
            if (entry.first.requestor == gone)
                keys.push_back(entry.first);
        for (const Key& key : keys)
            forget(key);
        break;
    }
    default:
        break;
    }
}

void ClipboardOwner::answer(const XSelectionRequestEvent& request)
{
    // Obsolete requestors name no property: the target is then the property.
    const Atom property = request.property == None ? request.target : request.property;
    // No check of the request's time against ours: requestors such as Qt send the time of the
    // last event they saw, often earlier than our ownership, and the server has already routed
    // the request to us. Once the clipboard is another's, what we hold is no longer its content.
    const bool ours = !lost_ && request.selection == clipboard_ && request.owner == window_;

    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = display_;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.property = ours && convert(request.requestor, request.target, property) ? property : None;
    reply.xselection.time = request.time;
    XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
}

bool ClipboardOwner::convert(Window requestor, Atom target, Atom property)
{
    if (target == targets_) {
        long list[] = {long(targets_), long(timestamp_), long(type_)};
        XChangeProperty(display_, requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(list), 3);
        return true;
    }
    if (target == timestamp_) {
        long time = long(ownedSince_);
        XChangeProperty(display_, requestor, property, XA_INTEGER, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&time), 1);
        return true;
    }
    if (target == type_) {
        sendData(requestor, property);
        return true;
    }
    return false;
}

void ClipboardOwner::sendData(Window requestor, Atom property)
{
    if (data_.size() <= piece_) {
        XChangeProperty(display_, requestor, property, type_, 8, PropModeReplace, data_.data(), int(data_.size()));
        return;
    }
    // Incremental: each time the requestor deletes the property, the next piece goes in. A new
    // request for the same property starts over.
    const Key key{requestor, property};
    forget(key);
    if (transfers_.size() >= kMaxTransfers)
        evictOldest();
    // Watch the requestor's properties before the first one is written, so no delete is missed.
    if (transfersOf_[requestor]++ == 0)
        XSelectInput(display_, requestor, PropertyChangeMask | StructureNotifyMask);
    long lowerBound = long(data_.size());
    XChangeProperty(display_, requestor, property, incr_, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&lowerBound), 1);
    const auto deadline = Clock::now() + kStall;
    transfers_.emplace(key, Transfer{data_, 0, deadline});
    queueDeadline(key, deadline);
}

void ClipboardOwner::advance(Key key, Transfer& transfer)
{
    const auto piece = transfer.data.subspan(transfer.offset, std::min(piece_, transfer.data.size() - transfer.offset));
    XChangeProperty(display_, key.requestor, key.property, type_, 8, PropModeReplace, piece.data(), int(piece.size()));
    if (piece.empty()) {  // the empty piece that ends the transfer
        forget(key);
        return;
    }
    transfer.offset += piece.size();
    transfer.deadline = Clock::now() + kStall;
}

void ClipboardOwner::expire()
{
    const auto now = Clock::now();
    while (!deadlines_.empty() && deadlines_.front().first <= now) {
        const Key key = deadlines_.front().second;
        deadlines_.pop_front();
        const auto found = transfers_.find(key);
        if (found == transfers_.end())
            continue;  // ended already
        if (found->second.deadline <= now)
            forget(key);
        else
            queueDeadline(key, found->second.deadline);  // it moved on since
    }
}

void ClipboardOwner::evictOldest()
{
    while (!deadlines_.empty()) {
        const Key key = deadlines_.front().second;
        deadlines_.pop_front();
        if (transfers_.contains(key)) {
            forget(key);
            return;
        }
    }
}

void ClipboardOwner::queueDeadline(const Key& key, Clock::time_point deadline)
{
    deadlines_.emplace_back(deadline, key);
    // Entries of transfers that have ended stay until they come up; rebuild the queue from the
    // live transfers before they outnumber them by far.
    if (deadlines_.size() <= 4 * kMaxTransfers)
        return;
    deadlines_.clear();
    for (const auto& [k, transfer] : transfers_)
        deadlines_.emplace_back(transfer.deadline, k);
    std::sort(deadlines_.begin(), deadlines_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

void ClipboardOwner::forget(Key key)
{
    if (transfers_.erase(key) == 0)
        return;
    const auto watched = transfersOf_.find(key.requestor);
    if (--watched->second == 0) {
        transfersOf_.erase(watched);
        XSelectInput(display_, key.requestor, NoEventMask);
    }
}

}  // namespace capture
