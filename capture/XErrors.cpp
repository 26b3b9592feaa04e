#include "capture/XErrors.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstring>

namespace capture {

namespace {

unsigned long errors = 0;

int countError(Display*, XErrorEvent*)
{
    ++errors;
    return 0;
}

// Xlib's own handler writes two lines; ours writes one. Xlib requires that this not return.
int connectionLost(Display*)
{
    const char message[] = "screencapture: lost the connection to the X server\n";
    if (write(STDERR_FILENO, message, std::strlen(message)) < 0) {
        // stderr is gone too; the status still tells.
    }
    _exit(1);
}

}  // namespace

void installErrorHandler()
{
    XSetErrorHandler(countError);
    XSetIOErrorHandler(connectionLost);
}

unsigned long errorCount()
{
    return errors;
}

}  // namespace capture
