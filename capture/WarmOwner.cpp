#include "capture/WarmOwner.h"

#include "capture/OwnerSocket.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace capture {

WarmOwner::WarmOwner(Display* display, int listener)
    : owner_(display, "image/bmp"), grabber_(display), listener_(listener)
{
}

WarmOwner::~WarmOwner()
{
    stopListening();
}

bool WarmOwner::start()
{
    return capture();
}

bool WarmOwner::capture()
{
    // The buffer on the clipboard now, unless a reader is still taking it; then the other one,
    // whose readers (two pictures behind) are given up.
    std::size_t slot = current_;
    if (pictures_[slot] && owner_.uses(pictures_[slot]->bytes())) {
        slot = 1 - current_;
        if (pictures_[slot])
            owner_.abandon(pictures_[slot]->bytes());
    }
    grabber_.grab(pictures_[slot]);
    current_ = slot;
    return owner_.acquire(pictures_[slot]->bytes());
}

void WarmOwner::serve()
{
    for (;;) {
        owner_.dispatch();
        if (owner_.lost())
            stopListening();
        if (owner_.done())
            return;
        if (owner_.flushAndCheck())
            continue;
        pollfd p[2] = {{owner_.connection(), POLLIN, 0}, {listener_, POLLIN, 0}};
        if (poll(p, listener_ >= 0 ? 2 : 1, owner_.msToNextDeadline()) < 0 && errno != EINTR)
            return;
        if (p[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return;  // the server has gone
        if (listener_ >= 0 && (p[1].revents & POLLIN))
            serveRequests();
    }
}

void WarmOwner::serveRequests()
{
    // What the server sent before the request comes first: a clipboard taken meanwhile means
    // the request must go to a new owner.
    owner_.dispatch();
    if (owner_.lost()) {
        stopListening();
        return;
    }
    std::vector<int> clients = takeRequests(listener_);
    if (clients.empty())
        return;
    // One picture answers all who asked before it was taken.
    bool owned = false;
    try {
        owned = capture();
    } catch (const std::runtime_error&) {
    }
    if (owned) {
        answerRequests(clients);
        return;
    }
    // Closed unanswered, the clients start an owner of their own, which reports the trouble.
    for (const int client : clients)
        close(client);
    stopListening();
}

void WarmOwner::stopListening()
{
    if (listener_ < 0)
        return;
    // Requests still waiting are refused with the socket: their clients start a new owner.
    close(listener_);
    listener_ = -1;
}

}  // namespace capture
