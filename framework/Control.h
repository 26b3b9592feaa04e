#pragma once
// The base of controls and timers: name, index, owning window, and event bindings.
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/Delegate.h"
#include "framework/Object.h"
#include "framework/Properties.h"
#include "framework/Runtime.h"

namespace fw {

class Window;

class Control : public Object, public HasProperties {
  FW_CLASS("Control")
 public:
  static constexpr Integer kNoIndex = -2147483648LL;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  Integer Index() const { return index_; }
  void SetIndex(Integer index) { index_ = index; }
  Ref<fw::Window> Window() const;
  void SetWindow(const Ref<fw::Window>& window);

  // The events this class raises.
  virtual std::vector<std::string> Events() const { return {}; }
  // Binds a delegate to one of the class's events; an unknown event or a second binding of one
  // event raises InvalidArgumentException.
  void AddEventHandler(const std::string& event, const Ref<Delegate>& handler);
  const std::vector<std::pair<std::string, Ref<Delegate>>>& EventHandlers() const {
    return handlers_;
  }
  Ref<Delegate> HandlerFor(const std::string& event) const;

  void SetProperty(const Property& p) override;

 protected:
  // Raises an event: the bound delegate's result, or fallback when none is bound or it failed.
  template <class R, class... A>
  R Raise(const std::string& event, R fallback, A... args) {
    Ref<Delegate> handler = HandlerFor(event);
    Ref<Object> self = Self();
    if (!handler || !self) return fallback;
    R result = fallback;
    RuntimeDispatch(Describe(event), [&] { result = handler->Invoke<R, A...>(self, args...); });
    return result;
  }
  template <class... A>
  void RaiseEvent(const std::string& event, A... args) {
    Ref<Delegate> handler = HandlerFor(event);
    Ref<Object> self = Self();
    if (!handler || !self) return;
    RuntimeDispatch(Describe(event), [&] { handler->Invoke<void, A...>(self, args...); });
  }

 private:
  std::string Describe(const std::string& event) const;
  // Nil while the control is being destroyed: a late event then raises nothing.
  Ref<Object> Self() { return Ref<Object>(weak_from_this().lock()); }

  std::string name_;
  Integer index_ = kNoIndex;
  std::weak_ptr<fw::Window> window_;
  std::vector<std::pair<std::string, Ref<Delegate>>> handlers_;
};

// RuntimeAddEventHandler(control, "MouseDown", delegate).
void RuntimeAddEventHandler(const Ref<Control>& control, const std::string& event,
                            const Ref<Delegate>& handler);

}  // namespace fw
