#include "shell/Module1.h"

#include "framework/Exceptions.h"
#include "framework/Progress.h"
#include "native/ObjcRuntime.h"

namespace Module1 {

// Each function looks up its receiver, then the selector, just before each send; no look-up is
// kept for the next call. (Arguments are evaluated into locals so the order is fixed.)

void MakeWindowTransparent(fw::Ptr window) {
  fw::Ptr colorClass = NSClassFromString("NSColor");
  SEL colorWithWhite = sel_registerName("colorWithCalibratedWhite:alpha:");
  fw::Ptr clear = objc_msgSend(colorClass, colorWithWhite, 1.0, 0.0);

  SEL setBackgroundColor = sel_registerName("setBackgroundColor:");
  objc_msgSend(window, setBackgroundColor, clear);
  SEL setOpaque = sel_registerName("setOpaque:");
  objc_msgSend(window, setOpaque, false);
  SEL invalidateShadow = sel_registerName("invalidateShadow");
  objc_msgSend(window, invalidateShadow);
}

void SetAlphaValue(fw::Ptr window, double alpha) {
  SEL setAlphaValue = sel_registerName("setAlphaValue:");
  objc_msgSend(window, setAlphaValue, alpha);
}

void SetControlSize(const fw::Ref<fw::RectControl>& control, NSControlSize size) {
  if (!control) throw fw::NilObjectException("SetControlSize was given no control");

  // Progress indicators have no cell and no text: the view takes the size itself.
  if (fw::RuntimeObjectIsa<fw::ProgressBar>(control) ||
      fw::RuntimeObjectIsa<fw::ProgressWheel>(control)) {
    fw::Ptr view = control->Handle();
    SEL setControlSize = sel_registerName("setControlSize:");
    objc_msgSend(view, setControlSize, size);
    return;
  }

  fw::Ptr view = control->Handle();
  SEL cellSelector = sel_registerName("cell");
  fw::Ptr cell = objc_msgSend(view, cellSelector);
  SEL setControlSize = sel_registerName("setControlSize:");
  objc_msgSend(cell, setControlSize, size);

  // The mini size takes the small font too; there is no smaller system font size.
  fw::Ptr fontClass = ::NSClassFromString("NSFont");
  SEL sizeSelector = sel_registerName(size == 0 ? "systemFontSize" : "smallSystemFontSize");
  const double fontSize = objc_msgSend(fontClass, sizeSelector);

  fontClass = ::NSClassFromString("NSFont");
  SEL systemFontOfSize = sel_registerName("systemFontOfSize:");
  fw::Ptr font = objc_msgSend(fontClass, systemFontOfSize, fontSize);
  if (!font) return;  // the control keeps its new size with its old font

  view = control->Handle();
  SEL setFont = sel_registerName("setFont:");
  objc_msgSend(view, setFont, font);
}

fw::Ptr NSClassFromString(const char* name) {
  // The name is the caller's constant and outlives the call; nothing to keep alive here.
  return ::NSClassFromString(name);
}

}  // namespace Module1
