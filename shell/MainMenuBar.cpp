#include "shell/MainMenuBar.h"

#include <optional>
#include <string>

#include "framework/Runtime.h"

fw::Ref<MainMenuBar> MainMenuBar::implicitInstance;

namespace {

enum class Kind { Item, Quit };

struct MenuRow {
  const char* parent;  // nullptr: attached to the bar
  const char* name;
  Kind kind;
  const char* caption;
  std::optional<const char*> shortcut;  // nullopt: never set
  std::optional<fw::Integer> index;     // nullopt: never set
};

// The bar's items in building order, which is also their order on the bar and in their menus.
const MenuRow kRows[] = {
    {nullptr, "FileMenu", Kind::Item, "&File", "", {}},
    {"FileMenu", "FileQuit", Kind::Quit, "&Quit", "Cmd+Q", {}},
    {nullptr, "EditMenu", Kind::Item, "&Edit", "", {}},
    {"EditMenu", "EditUndo", Kind::Item, "&Undo", "Cmd+Z", {}},
    {"EditMenu", "EditSeparator1", Kind::Item, "-", {}, {}},
    {"EditMenu", "EditCut", Kind::Item, "Cu&t", "Cmd+X", {}},
    {"EditMenu", "EditCopy", Kind::Item, "&Copy", "Cmd+C", {}},
    {"EditMenu", "EditPaste", Kind::Item, "&Paste", "Cmd+V", {}},
    {"EditMenu", "EditClear", Kind::Item, "&Delete", "", {}},
    {"EditMenu", "EditSeparator2", Kind::Item, "-", {}, {}},
    {"EditMenu", "EditSelectAll", Kind::Item, "Select &All", "Cmd+A", {}},
    {nullptr, "ModeMenu", Kind::Item, "Mode", "", {}},
    {"ModeMenu", "White", Kind::Item, "White", "", 0},
    {"ModeMenu", "Black", Kind::Item, "Black", "", 0},
};

void Build(MainMenuBar& bar, int first, int last) {
  for (int i = first; i <= last; ++i) {
    const MenuRow& row = kRows[i - 1];
    fw::Ref<fw::MenuItem> item = row.kind == Kind::Quit ? fw::Ref<fw::MenuItem>(fw::RuntimeNewObject<fw::QuitMenuItem>())
                                                        : fw::RuntimeNewObject<fw::MenuItem>();
    item->Constructor();
    item->SetName(row.name);
    item->SetAutoEnabled(true);
    if (row.index) item->SetIndex(*row.index);
    item->SetValue(row.caption);
    item->SetVisible(true);
    if (row.shortcut) item->SetShortcut(*row.shortcut);
    if (!row.parent) {
      bar.AddMenu(item);
    } else {
      fw::Ref<fw::MenuItem> parent = bar.Child(row.parent);
      parent->AddMenu(item);
    }
  }
}

}  // namespace

void MainMenuBar::Constructor() {
  Untitled0();
  Untitled1();
  Untitled2();
}

void MainMenuBar::Untitled0() { Build(*this, 1, 2); }
void MainMenuBar::Untitled1() { Build(*this, 3, 11); }
void MainMenuBar::Untitled2() { Build(*this, 12, 14); }

namespace implicit {

fw::Ref<::MainMenuBar> MainMenuBar() {
  if (::MainMenuBar::implicitInstance) return ::MainMenuBar::implicitInstance;
  // A bar that fails half-way is dropped; the next call builds a new one.
  fw::Ref<::MainMenuBar> bar = fw::RuntimeNewObject<::MainMenuBar>();
  bar->Constructor();
  ::MainMenuBar::implicitInstance = bar;
  fw::RuntimeAddFinalizer([] { ::MainMenuBar::implicitInstance = nullptr; });
  return bar;
}

}  // namespace implicit
