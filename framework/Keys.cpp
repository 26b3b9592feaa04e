#include "framework/KeysPrivate.h"

#include <X11/keysym.h>

namespace fw {

namespace {

constexpr char32_t kClear = 0xF739;

struct SpecialKey {
  int key;
  char32_t code;
};

constexpr SpecialKey kSpecialKeys[] = {
    {Qt::Key_Enter, 3},      {Qt::Key_Return, 13},  {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},    {Qt::Key_Left, 28},    {Qt::Key_Right, 29},    {Qt::Key_Up, 30},
    {Qt::Key_Down, 31},      {Qt::Key_Home, 1},     {Qt::Key_End, 4},       {Qt::Key_PageUp, 11},
    {Qt::Key_PageDown, 12},  {Qt::Key_Delete, 127}, {Qt::Key_Escape, 27},   {Qt::Key_Clear, kClear},
};

}  // namespace

std::string KeyText(const QKeyEvent& e) {
  // Ctrl plays Cmd's part: its combinations are commands (menu shortcuts, a field's own editing),
  // not typed keys, whatever control character the platform gives them (Ctrl+H is "\b").
  if (e.modifiers() & Qt::ControlModifier) return {};
  // The keypad's 5 without Num Lock (KP_Begin) arrives as Qt's Clear; X's own Clear keysym (Apple
  // keyboards, some layouts) arrives as Delete. Both are the clear key.
  if (e.nativeVirtualKey() == XK_Clear) return QString::fromUcs4(&kClear, 1).toStdString();
  for (const SpecialKey& s : kSpecialKeys)
    if (e.key() == s.key) return QString::fromUcs4(&s.code, 1).toStdString();
  return e.text().toStdString();
}

}  // namespace fw
