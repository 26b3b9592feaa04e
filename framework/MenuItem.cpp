#include "framework/MenuItem.h"

namespace fw {

void MenuItem::SetValue(std::string caption) {
  value_ = std::move(caption);
  Changed();
}

void MenuItem::SetVisible(bool on) {
  visible_ = on;
  Changed();
}

void MenuItem::SetShortcut(std::string shortcut) {
  shortcut_ = std::move(shortcut);
  shortcutSet_ = true;
  Changed();
}

void MenuItem::SetHasCheckMark(bool on) {
  checked_ = on;
  Changed();
}

void MenuItem::AddMenu(const Ref<MenuItem>& item) {
  if (!item) throw NilObjectException("AddMenu was given no item");
  items_.push_back(item);
}

Ref<MenuItem> MenuItem::Item(Integer at) const {
  if (at < 0 || at >= Count()) return nullptr;
  return items_[static_cast<size_t>(at)];
}

Ref<MenuItem> MenuItem::Child(const std::string& name) const {
  for (const auto& item : items_)
    if (item->Name() == name) return item;
  return nullptr;
}

Ref<MenuItem> MenuItem::Lookup(const std::string& name) const {
  for (const auto& item : items_) {
    if (item->Name() == name) return item;
    if (auto found = item->Lookup(name)) return found;
  }
  return nullptr;
}

Ref<MenuItem> MenuItem::Lookup(const std::string& name, Integer index) const {
  for (const auto& item : items_) {
    if (item->Name() == name && item->Index() == index) return item;
    if (auto found = item->Lookup(name, index)) return found;
  }
  return nullptr;
}

void MenuItem::Changed() {
  for (const auto& fn : observers_) fn();
}

}  // namespace fw
