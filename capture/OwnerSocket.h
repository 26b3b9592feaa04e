#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace capture {

// How a capture reaches the owner that already serves its display: a socket in Linux's
// abstract namespace, named for the user and the display, which the owner listens on for as
// long as it holds the clipboard. A connection is a request for a new picture; the owner
// answers with one byte once it owns the new picture, or closes the connection when it cannot.

// The socket's name for this user and display (DISPLAY as it is given).
std::string ownerSocketName(uid_t user, const std::string& display);

enum class OwnerAnswer {
    Done,      // the new picture is on the clipboard
    NoOwner,   // none listens, or the one that did is ending: start a new one
    Stranger,  // the name is held by another user's process
    Silent,    // the owner did not answer in time
};

// Asks the display's owner for a new picture and waits up to `waitMs` for it.
OwnerAnswer askOwner(const std::string& name, int waitMs);

// A socket listening under the name, or -1 (errno EADDRINUSE when another process holds it).
int listenAsOwner(const std::string& name);

// Whether the process at the other end of a connected unix socket runs as `user`.
bool peerIsUser(int socket, uid_t user);

// The connections waiting on the listening socket, of this user only: others are closed at once,
// so nobody else can make us grab the screen.
std::vector<int> takeRequests(int listener);

// Tells each client that its picture is owned, and closes its connection.
void answerRequests(std::vector<int>& clients);

}  // namespace capture
