#pragma once
// Keys as a keyboard sends them: key names to Qt key events with the texts the X11 platform gives
// them, delivered where a real key goes (the focused widget, else the window).
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/AppFixture.h"

namespace keys {

struct Stroke {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  QString text;
};

// "Enter" is the keypad's Enter and "Clear" the keypad's clear key; "BS" is backspace; "KP7",
// "KP+" keys of the keypad; "Ctrl+A" with the control character X11 gives it; any other name is
// the one character it holds.
inline Stroke StrokeOf(std::string_view name) {
  struct Named {
    std::string_view name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
  };
  static const Named named[] = {
      {"Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r"},
      {"Return", Qt::Key_Return, Qt::NoModifier, "\r"},
      {"BS", Qt::Key_Backspace, Qt::NoModifier, "\b"},
      {"Clear", Qt::Key_Clear, Qt::KeypadModifier, ""},
      {"Space", Qt::Key_Space, Qt::NoModifier, " "},
      {"Tab", Qt::Key_Tab, Qt::NoModifier, "\t"},
      {"Left", Qt::Key_Left, Qt::NoModifier, ""},
      {"Right", Qt::Key_Right, Qt::NoModifier, ""},
      {"Up", Qt::Key_Up, Qt::NoModifier, ""},
      {"Down", Qt::Key_Down, Qt::NoModifier, ""},
      {"Home", Qt::Key_Home, Qt::NoModifier, ""},
      {"End", Qt::Key_End, Qt::NoModifier, ""},
      {"PageUp", Qt::Key_PageUp, Qt::NoModifier, ""},
      {"PageDown", Qt::Key_PageDown, Qt::NoModifier, ""},
      {"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f"},
      {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b"},
      {"Shift", Qt::Key_Shift, Qt::ShiftModifier, ""},
      {"F1", Qt::Key_F1, Qt::NoModifier, ""},
      {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, "\x01"},
      {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, "\x03"},
      {"Ctrl+H", Qt::Key_H, Qt::ControlModifier, "\x08"},
      {"Ctrl+M", Qt::Key_M, Qt::ControlModifier, "\r"},
      {"Ctrl+V", Qt::Key_V, Qt::ControlModifier, "\x16"},
      {"KP7", Qt::Key_7, Qt::KeypadModifier, "7"},
      {"KP+", Qt::Key_Plus, Qt::KeypadModifier, "+"},
      {"KP.", Qt::Key_Period, Qt::KeypadModifier, "."},
  };
  for (const Named& n : named)
    if (n.name == name) return {n.key, n.modifiers, QString::fromUtf8(n.text)};
  QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
  // Printable ASCII keys are their capital's code; others have no key of their own here.
  char32_t c = text.toUcs4().value(0);
  Qt::Key key = c >= 0x20 && c < 0x7f ? Qt::Key(QChar(char16_t(c)).toUpper().unicode())
                                      : Qt::Key_unknown;
  return {key, Qt::NoModifier, text};
}

inline std::vector<std::string> Split(std::string_view sequence) {
  std::vector<std::string> names;
  std::istringstream in{std::string(sequence)};
  for (std::string name; in >> name;) names.push_back(name);
  return names;
}

}  // namespace keys

class KeyFixture : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    if (HasFatalFailure()) return;
    QMainWindow* main = fw::MainWidgetOf(*window);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  }

  QWidget* Main() const { return fw::MainWidgetOf(*window); }

  // Presses and releases one key as the window system delivers it: shortcuts first, then the
  // focused widget, or the window when none has the focus.
  void Press(std::string_view name) {
    keys::Stroke s = keys::StrokeOf(name);
    QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), s.key, s.text, s.modifiers);
  }

  // What the window's KeyDown gave for a key sent to it: True when it took the key.
  bool WindowTakes(std::string_view name) {
    keys::Stroke s = keys::StrokeOf(name);
    QKeyEvent press(QEvent::KeyPress, s.key, s.modifiers, s.text);
    QApplication::sendEvent(Main(), &press);
    QKeyEvent release(QEvent::KeyRelease, s.key, s.modifiers, s.text);
    QApplication::sendEvent(Main(), &release);
    return press.isAccepted();
  }

  // Presses the keys of a space-separated sequence.
  void Type(std::string_view sequence) {
    for (const std::string& name : keys::Split(sequence)) Press(name);
  }

  void Click(const fw::Ref<fw::RectControl>& control, QPoint at = {}) {
    QWidget* w = WidgetOf(control);
    QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
  }

  // Ticks or unticks the converter's check box with a click, as a person would.
  void SetConverter(bool on) {
    if (window->TFCB(0)->Value() != on) Click(window->TFCB(0));
    ASSERT_EQ(window->TFCB(0)->Value(), on);
  }

  QLineEdit* Field(fw::Integer i) const {
    return static_cast<QLineEdit*>(fw::WidgetOf(*window->TF(i)));
  }

  // Gives field i the focus by a click, as a person would before typing, and puts the cursor
  // at the end of its text (the click put it where it landed).
  void FocusField(fw::Integer i) {
    Click(window->TF(i));
    ASSERT_EQ(QApplication::focusWidget(), Field(i));
    Field(i)->end(false);
  }
};
