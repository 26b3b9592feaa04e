// What choosing the menu bar's items does.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>

#include "support/AppFixture.h"

using Menus = AppFixture;

TEST_F(Menus, QuitEndsTheEventLoop) {
  bool gaveUp = false;
  QTimer::singleShot(0, [&] { window->ChooseMenuItem(window->FileQuit()); });
  QTimer::singleShot(5000, [&] {
    gaveUp = true;
    QCoreApplication::exit(1);
  });
  fw::RuntimeRun();
  EXPECT_FALSE(gaveUp);
}

TEST_F(Menus, TheShortcutsAreControlKeys) {
  std::map<QString, QString> shortcuts;
  for (QAction* menu : fw::MainWidgetOf(*window)->menuBar()->actions())
    for (QAction* item : menu->menu()->actions())
      if (!item->isSeparator()) shortcuts[item->text()] = item->shortcut().toString();
  EXPECT_EQ(shortcuts["&Quit"], "Ctrl+Q");
  EXPECT_EQ(shortcuts["&Undo"], "Ctrl+Z");
  EXPECT_EQ(shortcuts["Cu&t"], "Ctrl+X");
  EXPECT_EQ(shortcuts["&Copy"], "Ctrl+C");
  EXPECT_EQ(shortcuts["&Paste"], "Ctrl+V");
  EXPECT_EQ(shortcuts["Select &All"], "Ctrl+A");
  EXPECT_EQ(shortcuts["&Delete"], "");
  EXPECT_EQ(shortcuts["White"], "");
}

TEST_F(Menus, TheCheckMarkOfAModeItemShowsInTheMenu) {
  QAction* black = nullptr;
  for (QAction* menu : fw::MainWidgetOf(*window)->menuBar()->actions())
    for (QAction* item : menu->menu()->actions())
      if (item->text() == "Black") black = item;
  ASSERT_TRUE(black);
  window->Black(0)->SetHasCheckMark(true);
  EXPECT_TRUE(black->isChecked());
  window->Black(0)->SetHasCheckMark(false);
  EXPECT_FALSE(black->isChecked());
}

// The Edit items act on the focused text field, as a toolkit's standard handling does.
TEST_F(Menus, EditItemsWorkOnTheFocusedField) {
  window->TFCB(0)->SetValue(true);
  auto field = window->TF(2);
  auto* edit = qobject_cast<QLineEdit*>(WidgetOf(field));
  ASSERT_TRUE(edit);
  fw::MainWidgetOf(*window)->activateWindow();
  edit->setFocus();
  ProcessEvents();
  field->SetText("abc");
  window->ChooseMenuItem(window->EditSelectAll());
  EXPECT_EQ(edit->selectedText(), "abc");
  window->ChooseMenuItem(window->EditCut());
  EXPECT_EQ(field->Text(), "");
  window->ChooseMenuItem(window->EditPaste());
  window->ChooseMenuItem(window->EditPaste());
  EXPECT_EQ(field->Text(), "abcabc");
  window->ChooseMenuItem(window->EditUndo());
  EXPECT_EQ(field->Text(), "abc");
}

TEST_F(Menus, EditItemsWithoutAFocusedFieldDoNothing) {
  window->TF(2)->SetText("abc");
  window->ChooseMenuItem(window->EditCut());
  window->ChooseMenuItem(window->EditClear());
  EXPECT_EQ(window->TF(2)->Text(), "abc");
}
