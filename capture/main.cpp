// screencapture -c [-x]: puts a picture of the whole screen on the X clipboard, as image/bmp, and
// keeps serving it from a background process until another client takes the clipboard, as X
// clipboard tools do. -x (silent) is accepted; nothing is ever played.
//
// When such a process of ours already serves the display, the command asks it to grab the screen
// again and own the clipboard anew, which spares starting, connecting and setting up; only when
// none answers does it start one. Either way the command returns only once the new picture is
// owned, so a reader started right after it gets it. Status: 0 done, 1 no display or the capture
// failed, 2 usage error.

#include "capture/OwnerSocket.h"
#include "capture/WarmOwner.h"
#include "capture/XErrors.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;
// A server that accepts the connection but never answers must not hang the caller for good.
constexpr int kOwnerWaitMs = 10000;

int usageError(const std::string& why)
{
    std::fprintf(stderr, "screencapture: %s (usage: screencapture -c [-x])\n", why.c_str());
    return kUsageError;
}

// The status to end with on a bad command line, or -1 when it is good. Flags may be grouped
// ("-cx"), as getopt would take them.
int checkArguments(int argc, char** argv)
{
    bool clipboard = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.size() < 2 || argument[0] != '-')
            return usageError("unexpected argument \"" + argument + "\"");
        for (std::size_t j = 1; j < argument.size(); ++j) {
            if (argument[j] == 'c')
                clipboard = true;
            else if (argument[j] != 'x')
                return usageError("unknown option \"" + argument + "\"");
        }
    }
    if (!clipboard)
        return usageError("only -c, to the clipboard, is supported");
    return -1;
}

// Lets go of everything the caller gave us, so that a caller reading our output or waiting on
// its pipes sees them close now, not when the clipboard changes hands.
void detach(int confirm)
{
    if (chdir("/") != 0) {
        // Staying in the caller's folder only keeps it busy.
    }
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        if (null > STDERR_FILENO)
            close(null);
    }
    const char done = 0;
    if (write(confirm, &done, 1) != 1) {
        // The foreground process has gone; there is no one left to tell.
    }
    close(confirm);
}

// The background process: grabs, owns the clipboard, confirms on `confirm`, then serves, also
// the requests that come to `listener`.
int runOwner(int confirm, int listener)
{
    // Before connecting, so that no moment is left to Xlib's handlers.
    capture::installErrorHandler();
    std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    if (!display) {
        const char* name = XDisplayName(nullptr);
        std::fprintf(stderr, "screencapture: cannot open display %s\n",
                     *name ? name : "(DISPLAY is not set)");
        return kFailure;
    }
    try {
        capture::WarmOwner owner(display.get(), listener);
        if (!owner.start()) {
            std::fprintf(stderr, "screencapture: the X server did not give us the clipboard\n");
            return kFailure;
        }
        detach(confirm);
        owner.serve();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screencapture: %s\n", e.what());
        return kFailure;
    }
    return 0;
}

// The foreground process: ends once the background one owns the clipboard, or with its status.
int waitForOwner(pid_t owner, int confirm)
{
    pollfd p{confirm, POLLIN, 0};
    int ready;
    do
        ready = poll(&p, 1, kOwnerWaitMs);
    while (ready < 0 && errno == EINTR);
    char done;
    if (ready > 0 && read(confirm, &done, 1) == 1)
        return 0;
    if (ready == 0) {
        kill(owner, SIGKILL);
        std::fprintf(stderr, "screencapture: the X server did not answer within %d s\n", kOwnerWaitMs / 1000);
    }
    int status = 0;
    while (waitpid(owner, &status, 0) < 0 && errno == EINTR) {
    }
    if (ready == 0)
        return kFailure;
    if (WIFEXITED(status))
        return WEXITSTATUS(status) != 0 ? WEXITSTATUS(status) : kFailure;
    std::fprintf(stderr, "screencapture: the capture was ended by signal %d\n", WTERMSIG(status));
    return kFailure;
}

// Asks the display's owner for the picture. Returns the status to end with, or -1 when a new
// owner must be started; then `listener` is the socket it is to listen on (-1 when none could
// be had: it then serves without).
int askOrListen(int& listener)
{
    listener = -1;
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return -1;  // the new owner reports it
    const std::string name = capture::ownerSocketName(getuid(), display);
    // Two captures at once may both find no owner: the one that takes the name starts it, the
    // other asks it. An owner that is ending gives the name up, and the next round takes it.
    for (int round = 0; round < 200; ++round) {
        switch (capture::askOwner(name, kOwnerWaitMs)) {
        case capture::OwnerAnswer::Done:
            return 0;
        case capture::OwnerAnswer::Stranger:
            std::fprintf(stderr, "screencapture: another user's process listens as this display's owner\n");
            return kFailure;
        case capture::OwnerAnswer::Silent:
            std::fprintf(stderr, "screencapture: the clipboard owner did not answer within %d s\n",
                         kOwnerWaitMs / 1000);
            return kFailure;
        case capture::OwnerAnswer::NoOwner:
            break;
        }
        listener = capture::listenAsOwner(name);
        if (listener >= 0 || errno != EADDRINUSE)
            return -1;
        usleep(1000);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (const int status = checkArguments(argc, argv); status >= 0)
        return status;
    int listener;
    if (const int status = askOrListen(listener); status >= 0)
        return status;

    // Fork first, while the process is small; the child does all the X work, so no connection
    // is ever shared between the two.
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("screencapture: pipe");
        return kFailure;
    }
    const pid_t child = fork();
    if (child < 0) {
        std::perror("screencapture: fork");
        return kFailure;
    }
    if (child > 0) {
        close(pipeEnds[1]);
        if (listener >= 0)
            close(listener);
        return waitForOwner(child, pipeEnds[0]);
    }

    close(pipeEnds[0]);
    setsid();  // outlive the caller's terminal and process group
    // A server gone mid-write is an error to report, not a signal that ends us silently.
    signal(SIGPIPE, SIG_IGN);
    // Keep only stdio (closed later), the pipe and the listening socket: the caller's other files
    // are not ours to hold.
    // Either may sit where the other goes: move both out of the way first.
    const int confirmAbove = fcntl(pipeEnds[1], F_DUPFD, 10);
    const int listenerAbove = listener >= 0 ? fcntl(listener, F_DUPFD, 10) : -1;
    const int confirm = 3;
    dup2(confirmAbove, confirm);
    if (listenerAbove >= 0) {
        listener = 4;
        dup2(listenerAbove, listener);
    }
    close_range(5, ~0U, 0);
    return runOwner(confirm, listener);
}
