#include "capture/XErrors.h"

#include <X11/Xlib.h>

namespace capture {

namespace {

unsigned long errors = 0;

int countError(Display*, XErrorEvent*)
{
    ++errors;
    return 0;
}

}  // namespace

void installErrorHandler()
{
    XSetErrorHandler(countError);
}

unsigned long errorCount()
{
    return errors;
}

}  // namespace capture
