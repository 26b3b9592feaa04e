#pragma once
#include <QKeyEvent>

#include <string>

namespace fw {

// The key text of a key event, as the program's handlers expect it: special keys as the control
// characters of the classic key codes (3 keypad Enter, 13 Return, 8 Backspace, 9 Tab, 28-31 the
// arrows, 1 Home, 4 End, 11 and 12 page up and down, 127 forward delete, 27 Escape, U+F739 the
// keypad's Clear), other keys their character; empty for keys that type nothing (modifiers) and
// for every combination with Ctrl, which stands in for Cmd.
std::string KeyText(const QKeyEvent& e);

}  // namespace fw
