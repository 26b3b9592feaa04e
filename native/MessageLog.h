#pragma once
// What the native layer received, in order, for tests: messages, selector registrations and class
// look-ups. Nothing is kept until StartRecording().
#include <string>
#include <vector>

#include "native/ObjcRuntime.h"

namespace native {

struct Message {
  // The receiver's kind: "NSWindow", "NSView", "NSCell", "NSColor", "NSFont", "NSColor class",
  // "NSFont class", "nil" or "unknown" (a destroyed or never-made object). For a look-up it is
  // "sel_registerName" or "NSClassFromString", and selector holds the name looked up.
  std::string receiver;
  std::string selector;
  // Each argument as text: "0.91", "4", "YES"/"NO", "nil", an object's description such as
  // "NSColor(white 1, alpha 0)" or "NSFont(11)".
  std::vector<std::string> arguments;
  Ptr target = nullptr;     // the receiver as sent (nullptr for look-ups)
  bool understood = false;  // the receiver exists and knows the selector (look-ups: always true)

  // "NSWindow setAlphaValue: 0.91", "sel_registerName setOpaque:", "NSClassFromString NSFont".
  std::string Text() const;
};

// Clears the log and starts keeping what arrives.
void StartRecording();
void StopRecording();
// Everything kept since the last call, oldest first; the log is left empty.
std::vector<Message> TakeMessages();
// The same, as Message::Text() lines.
std::vector<std::string> TakeMessageTexts();

}  // namespace native
