#include "capture/OwnerSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <algorithm>
#include <functional>

namespace capture {

namespace {

constexpr char kAnswer = 'y';

// The abstract address: a leading NUL, then the name, no terminator.
socklen_t addressOf(const std::string& name, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);
}

}  // namespace

std::string ownerSocketName(uid_t user, const std::string& display)
{
    std::string name = "brindlex-screencapture/" + std::to_string(user) + "/";
    // An address holds 107 bytes: a longer display name is replaced by its hash.
    if (display.size() > 64)
        return name + "#" + std::to_string(std::hash<std::string>()(display));
    return name + display;
}

OwnerAnswer askOwner(const std::string& name, int waitMs)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return OwnerAnswer::NoOwner;
    sockaddr_un address;
    const socklen_t length = addressOf(name, address);
    OwnerAnswer answer = OwnerAnswer::NoOwner;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0) {
        if (!peerIsUser(fd, getuid())) {
            answer = OwnerAnswer::Stranger;
        } else {
            pollfd p{fd, POLLIN, 0};
            int ready;
            do
                ready = poll(&p, 1, waitMs);
            while (ready < 0 && errno == EINTR);
            char byte = 0;
            if (ready == 0)
                answer = OwnerAnswer::Silent;
            else if (ready > 0 && read(fd, &byte, 1) == 1 && byte == kAnswer)
                answer = OwnerAnswer::Done;
            // Else the connection was closed or reset: the owner is ending or could not grab.
        }
    }
    close(fd);
    return answer;
}

int listenAsOwner(const std::string& name)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    sockaddr_un address;
    const socklen_t length = addressOf(name, address);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 64) != 0) {
        const int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool peerIsUser(int socket, uid_t user)
{
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 && size == sizeof credentials &&
           credentials.uid == user;
}

std::vector<int> takeRequests(int listener)
{
    std::vector<int> clients;
    for (;;) {
        const int client = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return clients;  // none waiting (EAGAIN), or no room for more now
        }
        if (peerIsUser(client, getuid()))
            clients.push_back(client);
        else
            close(client);
    }
}

void answerRequests(std::vector<int>& clients)
{
    for (const int client : clients) {
        // A client that has gone is no concern of ours.
        if (send(client, &kAnswer, 1, MSG_NOSIGNAL | MSG_DONTWAIT) != 1) {
        }
        close(client);
    }
    clients.clear();
}

}  // namespace capture
