#include "capture/ClipboardOwner.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>

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
    // An empty append changes nothing but brings a PropertyNotify with the server's time, the
    // timestamp to own the selection with (a selection must not be owned at CurrentTime).
    XChangeProperty(display, window_, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);

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

Time ClipboardOwner::serverTime()
{
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

void ClipboardOwner::serve()
{
    const int fd = ConnectionNumber(display_);
    for (;;) {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            handle(event);
        }
        const auto now = Clock::now();
        for (std::size_t i = transfers_.size(); i-- > 0;)
            if (transfers_[i].deadline <= now)
                forget(i);
        if (lost_ && transfers_.empty())
            return;

        int timeout = -1;
        if (!transfers_.empty()) {
            auto next = transfers_.front().deadline;
            for (const Transfer& t : transfers_)
                next = std::min(next, t.deadline);
            timeout = int(std::chrono::ceil<std::chrono::milliseconds>(next - now).count());
        }
        XFlush(display_);
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeout) < 0 && errno != EINTR)
            return;
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL))
            return;  // the server has gone
    }
}

void ClipboardOwner::handle(XEvent& event)
{
    switch (event.type) {
    case SelectionClear:
        if (event.xselectionclear.window == window_ && event.xselectionclear.selection == clipboard_)
            lost_ = true;
        break;
    case SelectionRequest:
        answer(event.xselectionrequest);
        break;
    case PropertyNotify:
        if (event.xproperty.state != PropertyDelete)
            break;
        for (std::size_t i = 0; i < transfers_.size(); ++i) {
            if (transfers_[i].requestor == event.xproperty.window && transfers_[i].property == event.xproperty.atom) {
                advance(i);
                break;
            }
        }
        break;
    case DestroyNotify:
        dropTransfersOf(event.xdestroywindow.window);
        break;
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
    // the request to us.
    const bool ours = request.selection == clipboard_ && request.owner == window_;

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
    // Incremental: each time the requestor deletes the property, the next piece goes in.
    for (std::size_t i = 0; i < transfers_.size(); ++i) {
        if (transfers_[i].requestor == requestor && transfers_[i].property == property) {
            transfers_.erase(transfers_.begin() + long(i));
            break;
        }
    }
    // Watch the requestor's properties before the first one is written, so no delete is missed.
    XSelectInput(display_, requestor, PropertyChangeMask | StructureNotifyMask);
    long lowerBound = long(data_.size());
    XChangeProperty(display_, requestor, property, incr_, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&lowerBound), 1);
    transfers_.push_back({requestor, property, 0, Clock::now() + kStall});
}

void ClipboardOwner::advance(std::size_t index)
{
    Transfer& transfer = transfers_[index];
    const auto piece = data_.subspan(transfer.offset, std::min(piece_, data_.size() - transfer.offset));
    XChangeProperty(display_, transfer.requestor, transfer.property, type_, 8, PropModeReplace, piece.data(),
                    int(piece.size()));
    if (piece.empty()) {  // the empty piece that ends the transfer
        forget(index);
        return;
    }
    transfer.offset += piece.size();
    transfer.deadline = Clock::now() + kStall;
}

void ClipboardOwner::dropTransfersOf(Window requestor)
{
    std::erase_if(transfers_, [requestor](const Transfer& t) { return t.requestor == requestor; });
}

void ClipboardOwner::forget(std::size_t index)
{
    const Window requestor = transfers_[index].requestor;
    transfers_.erase(transfers_.begin() + long(index));
    if (!watched(requestor))
        XSelectInput(display_, requestor, NoEventMask);
}

bool ClipboardOwner::watched(Window requestor) const
{
    return std::any_of(transfers_.begin(), transfers_.end(),
                       [requestor](const Transfer& t) { return t.requestor == requestor; });
}

}  // namespace capture
