#pragma once
// Native handles behind Qt widgets, for the framework's Window.Handle and RectControl.Handle.
// Each widget gets one handle per kind, made on first request and kept until the widget is
// destroyed; after that the handle is unknown to the runtime and messages to it do nothing.
#include "native/ObjcRuntime.h"

class QWidget;

namespace native {

// The native window (NSWindow) of a top-level widget; nullptr for nullptr.
Ptr NativeWindowFor(QWidget* window);
// The native view (NSView) of a control's widget; nullptr for nullptr.
Ptr NativeViewFor(QWidget* control);

}  // namespace native
