// Key events to the key texts the program's handlers expect.
#include <gtest/gtest.h>

#include <QInputDevice>
#include <QKeyEvent>

#include "framework/KeysPrivate.h"

namespace {

TEST(KeyText, BothClearKeysOfX11GiveTheClearKeyAndDeleteStaysDelete) {
  struct Case {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 keysym;
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      // Qt gives KP_Begin as Clear and X's Clear keysym as Delete.
      {"the keypad's 5 without Num Lock", Qt::Key_Clear, Qt::KeypadModifier, 0xFF9D, "",
       "\uF739"},
      {"the Clear keysym", Qt::Key_Delete, Qt::NoModifier, 0xFF0B, "", "\uF739"},
      {"forward delete", Qt::Key_Delete, Qt::NoModifier, 0xFFFF, "\x7f", "\x7f"},
      {"the keypad's Delete", Qt::Key_Delete, Qt::KeypadModifier, 0xFF9F, "\x7f", "\x7f"},
  };
  // A keyboard of the test's own: without an application, Qt's default one is never freed.
  const QInputDevice keyboard(QStringLiteral("test keyboard"), 1, QInputDevice::DeviceType::Keyboard);
  for (const Case& c : cases) {
    QKeyEvent e(QEvent::KeyPress, c.key, c.modifiers, 0, c.keysym, 0, QString::fromUtf8(c.text),
                false, 1, &keyboard);
    EXPECT_EQ(fw::KeyText(e), c.expected) << c.what;
  }
}

}  // namespace
