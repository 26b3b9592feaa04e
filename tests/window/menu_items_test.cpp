// The menu-item accessors and the Mode items' handlers: what each accessor finds, in which bar,
// and what choosing Mode > White or Black does.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <string>
#include <vector>

#include "support/AppFixture.h"

namespace {

using fw::Ref;
using Accessor = Ref<fw::MenuItem> (MainWindow::*)();

struct Named {
  const char* name;
  Accessor accessor;
};
const Named kNamed[] = {
    {"ModeMenu", &MainWindow::ModeMenu},         {"EditMenu", &MainWindow::EditMenu},
    {"EditSelectAll", &MainWindow::EditSelectAll}, {"EditSeparator2", &MainWindow::EditSeparator2},
    {"EditClear", &MainWindow::EditClear},       {"EditPaste", &MainWindow::EditPaste},
    {"EditCopy", &MainWindow::EditCopy},         {"EditCut", &MainWindow::EditCut},
    {"EditSeparator1", &MainWindow::EditSeparator1}, {"EditUndo", &MainWindow::EditUndo},
    {"FileMenu", &MainWindow::FileMenu},
};

Ref<fw::MenuItem> Item(const std::string& name) {
  Ref<fw::MenuItem> item = fw::RuntimeNewObject<fw::MenuItem>();
  item->SetName(name);
  item->SetValue(name);
  return item;
}

using MenuItems = AppFixture;

TEST_F(MenuItems, EachAccessorFindsItsItemInTheWindowsBar) {
  Ref<fw::MenuBar> bar = window->MenuBar();
  ASSERT_TRUE(bar);
  for (const Named& n : kNamed) {
    Ref<fw::MenuItem> item = (window.get()->*n.accessor)();
    ASSERT_TRUE(item) << n.name;
    EXPECT_EQ(item->Name(), n.name);
    EXPECT_EQ(item, bar->Lookup(n.name));
    // Every call finds the same item while the bar stays.
    EXPECT_EQ(item, (window.get()->*n.accessor)()) << n.name;
  }
  // The Mode items hang below "ModeMenu", "FileQuit" below "FileMenu".
  EXPECT_EQ(window->Black(0), window->ModeMenu()->Child("Black"));
  EXPECT_EQ(window->White(0), window->ModeMenu()->Child("White"));
  EXPECT_EQ(window->Black(0)->ClassName(), "MenuItem");
  Ref<fw::QuitMenuItem> quit = window->FileQuit();
  ASSERT_TRUE(quit);
  EXPECT_EQ(quit, window->FileMenu()->Child("FileQuit"));
}

TEST_F(MenuItems, AReplacedBarIsSearchedAfresh) {
  Ref<fw::MenuItem> oldBlack = window->Black(0);
  Ref<fw::MenuBar> bar = fw::RuntimeNewObject<fw::MenuBar>();
  Ref<fw::MenuItem> mode = Item("ModeMenu");
  Ref<fw::MenuItem> black = Item("Black");
  black->SetIndex(0);
  mode->AddMenu(black);
  bar->AddMenu(mode);
  window->SetMenuBar(bar);
  EXPECT_EQ(window->Black(0), black);
  EXPECT_NE(window->Black(0), oldBlack);
  // What the new bar does not hold is not found.
  EXPECT_FALSE(window->White(0));
  EXPECT_FALSE(window->EditCopy());
}

TEST_F(MenuItems, WithoutABarEveryAccessorRaises) {
  window->SetMenuBar(nullptr);
  for (const Named& n : kNamed) EXPECT_THROW((window.get()->*n.accessor)(), fw::NilObjectException) << n.name;
  EXPECT_THROW(window->Black(0), fw::NilObjectException);
  EXPECT_THROW(window->White(0), fw::NilObjectException);
  EXPECT_THROW(window->FileQuit(), fw::NilObjectException);
}

TEST_F(MenuItems, AQuitItemOfAnotherClassFailsTheCast) {
  Ref<fw::MenuBar> bar = fw::RuntimeNewObject<fw::MenuBar>();
  Ref<fw::MenuItem> file = Item("FileMenu");
  file->AddMenu(Item("FileQuit"));
  bar->AddMenu(file);
  window->SetMenuBar(bar);
  EXPECT_THROW(window->FileQuit(), fw::IllegalCastException);
}

TEST_F(MenuItems, ExactlyTheTwoModeItemsHaveHandlersBlackFirst) {
  EXPECT_EQ(window->MenuHandlerNames(), (std::vector<std::string>{"Black", "White"}));
}

TEST_F(MenuItems, RegisteringForAnotherKindOfWindowFailsAndRegistersNothing) {
  Ref<fw::Window> plain = fw::RuntimeNewObject<fw::Window>();
  EXPECT_THROW(window->AddMenuHandlers(plain), fw::IllegalCastException);
  EXPECT_TRUE(plain->MenuHandlerNames().empty());
  EXPECT_THROW(window->AddMenuHandlers(nullptr), fw::NilObjectException);
  EXPECT_EQ(window->MenuHandlerNames().size(), 2u);
}

// The menu bar's own action for a Mode item, as a person chooses it.
QAction* ModeAction(const MainWindow& window, const char* text) {
  for (QAction* menu : fw::MainWidgetOf(window)->menuBar()->actions())
    if (menu->menu())
      for (QAction* action : menu->menu()->actions())
        if (action->text() == text) return action;
  return nullptr;
}

TEST_F(MenuItems, ChoosingWhiteOrBlackInTheMenuRunsItsAction) {
  QAction* white = ModeAction(*window, "White");
  QAction* black = ModeAction(*window, "Black");
  ASSERT_TRUE(white && black);
  ASSERT_FALSE(window->colorMOde);

  white->trigger();
  EXPECT_TRUE(window->colorMOde);
  EXPECT_TRUE(window->White(0)->HasCheckMark());
  EXPECT_FALSE(window->Black(0)->HasCheckMark());
  EXPECT_TRUE(white->isChecked());
  EXPECT_FALSE(black->isChecked());

  black->trigger();
  EXPECT_FALSE(window->colorMOde);
  EXPECT_TRUE(window->Black(0)->HasCheckMark());
  EXPECT_FALSE(window->White(0)->HasCheckMark());
}

TEST_F(MenuItems, ChooseMenuItemCallsTheRegisteredHandlerOnly) {
  window->ChooseMenuItem(window->White(0));
  EXPECT_TRUE(window->colorMOde);
  // Items without a handler of the window's change nothing of it.
  window->ChooseMenuItem(window->ModeMenu());
  window->ChooseMenuItem(window->EditCopy());
  EXPECT_TRUE(window->colorMOde);
  window->ChooseMenuItem(window->Black(0));
  EXPECT_FALSE(window->colorMOde);
}

}  // namespace
