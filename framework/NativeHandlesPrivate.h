#pragma once
// The native objects behind widgets, as the native layer hands them out.
#include "framework/Object.h"

class QWidget;

namespace fw {

Ptr NativeViewHandle(QWidget* widget);
Ptr NativeWindowHandle(QWidget* window);

}  // namespace fw
