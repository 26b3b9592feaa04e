#pragma once
// Menu items, the menu bar and the quit item. A window shows its bar; the items tell it when
// they change.
#include <functional>
#include <string>
#include <vector>

#include "framework/Object.h"

namespace fw {

class MenuItem : public Object {
  FW_CLASS("MenuItem")
 public:
  static constexpr Integer kNoIndex = -2147483648LL;

  virtual void Constructor() {}

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  bool AutoEnabled() const { return autoEnabled_; }
  void SetAutoEnabled(bool on) { autoEnabled_ = on; }
  Integer Index() const { return index_; }
  void SetIndex(Integer index) { index_ = index; }
  // The caption, "&" marking the mnemonic; "-" is a separator.
  const std::string& Value() const { return value_; }
  void SetValue(std::string caption);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  // "Cmd+Q" and the like; Cmd is the Control key here.
  const std::string& Shortcut() const { return shortcut_; }
  bool ShortcutSet() const { return shortcutSet_; }
  void SetShortcut(std::string shortcut);
  bool HasCheckMark() const { return checked_; }
  void SetHasCheckMark(bool on);

  void AddMenu(const Ref<MenuItem>& item);
  Integer Count() const { return static_cast<Integer>(items_.size()); }
  // The item at that place, nil when out of range.
  Ref<MenuItem> Item(Integer at) const;
  // The direct child of that name, nil when none.
  Ref<MenuItem> Child(const std::string& name) const;
  // The item of that name (and index) at any depth below this one, nil when none.
  Ref<MenuItem> Lookup(const std::string& name) const;
  Ref<MenuItem> Lookup(const std::string& name, Integer index) const;

  // Called after the caption, visibility, shortcut or check mark changed.
  void OnChange(std::function<void()> fn) { observers_.push_back(std::move(fn)); }

 private:
  void Changed();

  std::string name_, value_, shortcut_;
   bool autoEnabled_ = false, visible_ = true, shortcutSet_ = false, checked_ = false;
  Integer index_ = kNoIndex;
  std::vector<Ref<MenuItem>> items_;
  std::vector<std::function<void()>> observers_;
};

class MenuBar : public MenuItem {
  FW_CLASS("MenuBar")
};

// Chosen, it quits the application by itself.
class QuitMenuItem : public MenuItem {
  FW_CLASS("QuitMenuItem")
};

}  // namespace fw
