// The one menu bar and its fourteen items.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/Runtime.h"
#include "shell/MainMenuBar.h"

namespace {

struct Row {
  const char* parent;
  const char* name;
  const char* className;
  const char* caption;
  std::optional<const char*> shortcut;
  fw::Integer index;
};

const Row kExpected[] = {
    {"", "FileMenu", "MenuItem", "&File", "", fw::MenuItem::kNoIndex},
    {"FileMenu", "FileQuit", "QuitMenuItem", "&Quit", "Cmd+Q", fw::MenuItem::kNoIndex},
    {"", "EditMenu", "MenuItem", "&Edit", "", fw::MenuItem::kNoIndex},
    {"EditMenu", "EditUndo", "MenuItem", "&Undo", "Cmd+Z", fw::MenuItem::kNoIndex},
    {"EditMenu", "EditSeparator1", "MenuItem", "-", std::nullopt, fw::MenuItem::kNoIndex},
    {"EditMenu", "EditCut", "MenuItem", "Cu&t", "Cmd+X", fw::MenuItem::kNoIndex},
    {"EditMenu", "EditCopy", "MenuItem", "&Copy", "Cmd+C", fw::MenuItem::kNoIndex},
    {"EditMenu", "EditPaste", "MenuItem", "&Paste", "Cmd+V", fw::MenuItem::kNoIndex},
    {"EditMenu", "EditClear", "MenuItem", "&Delete", "", fw::MenuItem::kNoIndex},
    {"EditMenu", "EditSeparator2", "MenuItem", "-", std::nullopt, fw::MenuItem::kNoIndex},
    {"EditMenu", "EditSelectAll", "MenuItem", "Select &All", "Cmd+A", fw::MenuItem::kNoIndex},
    {"", "ModeMenu", "MenuItem", "Mode", "", fw::MenuItem::kNoIndex},
    {"ModeMenu", "White", "MenuItem", "White", "", 0},
    {"ModeMenu", "Black", "MenuItem", "Black", "", 0},
};

}  // namespace

TEST(MainMenuBar, IsBuiltOnceAndShared) {
  fw::Ref<MainMenuBar> a = implicit::MainMenuBar();
  fw::Ref<MainMenuBar> b = implicit::MainMenuBar();
  EXPECT_TRUE(a == b);
  EXPECT_EQ(a->Count(), 3);
  EXPECT_EQ(a->ClassName(), "MainMenuBar");
}

TEST(MainMenuBar, HoldsTheItemsInBuildingOrder) {
  fw::Ref<MainMenuBar> bar = implicit::MainMenuBar();
  // Flatten the bar as menus, each followed by its items.
  std::vector<std::pair<std::string, fw::Ref<fw::MenuItem>>> flat;
  for (fw::Integer m = 0; m < bar->Count(); ++m) {
    fw::Ref<fw::MenuItem> menu = bar->Item(m);
    flat.emplace_back("", menu);
    for (fw::Integer i = 0; i < menu->Count(); ++i) flat.emplace_back(menu->Name(), menu->Item(i));
  }
  ASSERT_EQ(flat.size(), std::size(kExpected));
  for (size_t i = 0; i < flat.size(); ++i) {
    const Row& row = kExpected[i];
    const auto& [parent, item] = flat[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(parent, row.parent);
    EXPECT_EQ(item->Name(), row.name);
    EXPECT_EQ(item->ClassName(), row.className);
    EXPECT_EQ(item->Value(), row.caption);
    EXPECT_EQ(item->ShortcutSet(), row.shortcut.has_value());
    if (row.shortcut) {
      EXPECT_EQ(item->Shortcut(), *row.shortcut);
    }
    EXPECT_EQ(item->Index(), row.index);
    EXPECT_TRUE(item->AutoEnabled());
    EXPECT_TRUE(item->Visible());
    EXPECT_FALSE(item->HasCheckMark());
  }
}

TEST(MainMenuBar, FindsItemsAtAnyDepth) {
  fw::Ref<MainMenuBar> bar = implicit::MainMenuBar();
  EXPECT_EQ(bar->Lookup("FileQuit")->Value(), "&Quit");
  EXPECT_EQ(bar->Lookup("Black", 0)->Value(), "Black");
  EXPECT_FALSE(bar->Lookup("Black", 1));
  EXPECT_FALSE(bar->Lookup("NoSuchItem"));
  EXPECT_EQ(bar->Child("ModeMenu")->Count(), 2);
  EXPECT_FALSE(bar->Child("White"));  // a child of a menu, not of the bar
}

// The constructor builds the three menus through the virtual building methods, in order.
namespace {

struct Recording : MainMenuBar {
  std::vector<int> calls;
  void Untitled0() override { calls.push_back(0); MainMenuBar::Untitled0(); }
  void Untitled1() override { calls.push_back(1); MainMenuBar::Untitled1(); }
  void Untitled2() override { calls.push_back(2); MainMenuBar::Untitled2(); }
};

}  // namespace

TEST(MainMenuBar, TheConstructorCallsTheThreeBuildersInOrder) {
  fw::Ref<Recording> bar = fw::RuntimeNewObject<Recording>();
  bar->Constructor();
  EXPECT_EQ(bar->calls, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(bar->Count(), 3);
}
