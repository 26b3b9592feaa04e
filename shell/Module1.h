#pragma once
// The window effects sent as native messages: a clear, non-opaque window, the whole window's
// opacity, and a control's size class with its font. No state: every call registers its selectors
// and looks its classes up again.
#include "framework/Object.h"
#include "framework/RectControl.h"

namespace Module1 {

// 0 regular, 1 small, 2 mini.
using NSControlSize = fw::Integer;

// Clears the window's background (white 1.0, alpha 0.0) and makes the window non-opaque.
void MakeWindowTransparent(fw::Ptr window);
// The opacity of the whole window, controls included; passed on unchanged.
void SetAlphaValue(fw::Ptr window, double alpha);
// Called on the control: its size class, and the system font for that size. A progress bar or
// wheel gets the size alone. A nil control raises NilObjectException before anything is sent.
void SetControlSize(const fw::Ref<fw::RectControl>& control, NSControlSize size);
// The native class of that name, nil when there is none.
fw::Ptr NSClassFromString(const char* name);

}  // namespace Module1
