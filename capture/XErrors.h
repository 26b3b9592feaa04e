#pragma once

namespace capture {

// Keeps X protocol errors from ending the process, as Xlib's default handler would: a requestor
// may vanish in the middle of a transfer, and a server may refuse shared memory. Each error is
// counted, so that a caller can tell whether its requests went through. A lost connection ends
// the process with one line on stderr and status 1.
void installErrorHandler();
unsigned long errorCount();

}  // namespace capture
