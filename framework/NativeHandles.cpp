#include "framework/NativeHandlesPrivate.h"

#include "native/NativeHandlesPrivate.h"

namespace fw {

Ptr NativeViewHandle(QWidget* widget) { return native::NativeViewFor(widget); }
Ptr NativeWindowHandle(QWidget* window) { return native::NativeWindowFor(window); }

}  // namespace fw
