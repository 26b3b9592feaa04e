#include "framework/Control.h"

#include <algorithm>

#include "framework/Window.h"

namespace fw {

Ref<fw::Window> Control::Window() const { return Ref<fw::Window>(window_.lock()); }
void Control::SetWindow(const Ref<fw::Window>& window) { window_ = window.shared(); }

void Control::AddEventHandler(const std::string& event, const Ref<Delegate>& handler) {
  if (!handler) throw NilObjectException("no handler for " + event);
  auto events = Events();
  if (std::find(events.begin(), events.end(), event) == events.end())
    throw InvalidArgumentException(ClassName() + " has no event " + event);
  if (HandlerFor(event)) throw InvalidArgumentException(event + " already has a handler");
  handlers_.emplace_back(event, handler);
}

Ref<Delegate> Control::HandlerFor(const std::string& event) const {
  for (const auto& [name, handler] : handlers_)
    if (name == event) return handler;
  return nullptr;
}

void Control::SetProperty(const Property& p) {
  if (p.name == "Name")
    SetName(PropertyAs<std::string>(p));
  else if (p.name == "Index")
    SetIndex(PropertyAs<Integer>(p));
  else
    throw InvalidArgumentException(ClassName() + " has no property " + p.name);
}

std::string Control::Describe(const std::string& event) const {
  std::string who = name_.empty() ? ClassName() : name_;
  if (index_ != kNoIndex) who += "(" + std::to_string(index_) + ")";
  return who + "." + event;
}

void RuntimeAddEventHandler(const Ref<Control>& control, const std::string& event,
                            const Ref<Delegate>& handler) {
  control->AddEventHandler(event, handler);
}

}  // namespace fw
