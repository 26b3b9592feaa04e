#pragma once
// Delegates: a handler method, its target and the signature text it was bound with.
#include <functional>
#include <memory>
#include <string>

#include "framework/Object.h"

namespace fw {

class Delegate : public Object {
  FW_CLASS("Delegate")
 public:
  struct FnBase {
    virtual ~FnBase() = default;
  };
  template <class R, class... A>
  struct Fn : FnBase {
    std::function<R(const Ref<Object>& sender, A...)> call;
  };

  Delegate(std::unique_ptr<FnBase> fn, std::string method, std::string signature)
      : fn_(std::move(fn)), method_(std::move(method)), signature_(std::move(signature)) {}

  const std::string& MethodName() const { return method_; }
  const std::string& Signature() const { return signature_; }

  // Calls the handler with the sender and the event's arguments.
  template <class R, class... A>
  R Invoke(const Ref<Object>& sender, A... args) const {
    auto* f = dynamic_cast<const Fn<R, A...>*>(fn_.get());
    if (!f) throw IllegalCastException("the handler " + method_ + " does not take these arguments");
    return f->call(sender, std::move(args)...);
  }

 private:
  std::unique_ptr<FnBase> fn_;
  std::string method_;
  std::string signature_;
};

// A delegate that calls target->method(sender cast to S, args...). The delegate holds the target
// weakly: a window holds its controls and they hold their delegates.
template <class T, class S, class R, class... A>
Ref<Delegate> RuntimeCreateDelegate(R (T::*method)(Ref<S>, A...), const Ref<T>& target,
                                    std::string methodName, std::string signature) {
  auto fn = std::make_unique<Delegate::Fn<R, A...>>();
  std::weak_ptr<T> weak = target.shared();
  fn->call = [weak, method](const Ref<Object>& sender, A... args) -> R {
    auto self = weak.lock();
    if (!self) throw NilObjectException("the handler's target is gone");
    return ((*self).*method)(RuntimeCheckCast<S>(sender), std::move(args)...);
  };
  return RuntimeNewObject<Delegate>(std::move(fn), std::move(methodName), std::move(signature));
}

}  // namespace fw
