// Keys stay with the window: a modifier pressed and released alone leaves the arrows and Return
// to the window (the menu bar does not take the keyboard), and Alt with a menu's letter opens it.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "KeyFixture.h"

namespace {

using LoneModifiers = KeyFixture;

TEST_F(LoneModifiers, AfterAModifierAloneTheArrowsNudgeAndReturnEvaluates) {
  window->DelayTimer()->Fire();
  QMenuBar* bar = fw::MainWidgetOf(*window)->menuBar();
  struct Modifier {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifier modifier;
  };
  const Modifier modifiers[] = {{"Alt", Qt::Key_Alt, Qt::AltModifier},
                                {"Super", Qt::Key_Meta, Qt::MetaModifier},
                                {"Control", Qt::Key_Control, Qt::ControlModifier},
                                {"Shift", Qt::Key_Shift, Qt::ShiftModifier}};
  fw::Integer left = window->NogisCV(0)->Left();
  for (const Modifier& m : modifiers) {
    SCOPED_TRACE(m.name);
    QTest::sendKeyEvent(QTest::Press, static_cast<QWidget*>(nullptr), m.key, QString(), m.modifier);
    QTest::sendKeyEvent(QTest::Release, static_cast<QWidget*>(nullptr), m.key, QString(),
                        Qt::NoModifier);
    EXPECT_EQ(bar->activeAction(), nullptr);
    EXPECT_FALSE(bar->hasFocus());
    Press("Right");
    EXPECT_EQ(window->NogisCV(0)->Left(), ++left);
  }
  Type("7 + 2 Return");
  EXPECT_EQ(window->St(0)->Text(), "9.0");
}

TEST_F(LoneModifiers, AltAndAMenusLetterOpensThatMenu) {
  struct Case {
    Qt::Key key;
    const char* text;
    const char* title;
  };
  for (const Case& c : {Case{Qt::Key_F, "f", "&File"}, Case{Qt::Key_E, "e", "&Edit"},
                        Case{Qt::Key_M, "m", "&Mode"}}) {
    SCOPED_TRACE(c.title);
    QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), c.key, QString(c.text),
                        Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), c.title);
    menu->close();
  }
}

}  // namespace
