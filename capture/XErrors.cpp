#include "capture/XErrors.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace capture {

namespace {

unsigned long errors = 0;

int countError(Display*, XErrorEvent*)
{
    ++errors;
    return 0;
}

// Xlib's own handler writes two lines and calls exit(); ours writes one and runs no exit
// handlers. Xlib requires that this not return.
int connectionLost(Display* display)
{
    char message[256];
    const int length = std::snprintf(message, sizeof message, "screencapture: lost the X display \"%s\"\n",
                                     display ? DisplayString(display) : "");
    if (length > 0 && write(STDERR_FILENO, message, std::min<std::size_t>(length, sizeof message - 1)) < 0) {
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
