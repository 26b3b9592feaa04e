#pragma once
// Objects with runtime class names, and references that raise NilObjectException when empty.
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "framework/Exceptions.h"

namespace fw {

using Integer = long long;
using Ptr = void*;
// 0xRRGGBB: red in bits 16-23, green in 8-15, blue in 0-7.
using Color = std::uint32_t;

// Declares a class's runtime name: FW_CLASS("MainWindow.BCV").
#define FW_CLASS(name)                                              \
 public:                                                            \
  static constexpr const char* kClassName = name;                   \
  std::string ClassName() const override { return kClassName; }

class Object : public std::enable_shared_from_this<Object> {
 public:
  static constexpr const char* kClassName = "Object";
  virtual ~Object() = default;
  virtual std::string ClassName() const { return kClassName; }
  // Per-instance initialisation and finalisation, run by RuntimeNewObject's object.
  virtual void Init() {}
  virtual void Exit() {}
};

template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(std::nullptr_t) {}
  explicit Ref(std::shared_ptr<T> p) : p_(std::move(p)) {}
  template <class U>
    requires std::is_convertible_v<U*, T*>
  Ref(const Ref<U>& other) : p_(other.shared()) {}

  T* operator->() const { return &**this; }
  T& operator*() const {
    if (!p_) throw NilObjectException("a nil object was used");
    return *p_;
  }
  explicit operator bool() const { return p_ != nullptr; }
  bool IsNil() const { return p_ == nullptr; }
  T* get() const { return p_.get(); }
  const std::shared_ptr<T>& shared() const { return p_; }

  template <class U>
  friend bool operator==(const Ref& a, const Ref<U>& b) {
    return a.get() == b.get();
  }
  friend bool operator==(const Ref& a, std::nullptr_t) { return a.p_ == nullptr; }

 private:
  std::shared_ptr<T> p_;
};

// A reference to an object that already lives in a Ref somewhere.
template <class T>
Ref<T> RefTo(T* object) {
  if (!object) return nullptr;
  return Ref<T>(std::static_pointer_cast<T>(object->shared_from_this()));
}

// A new object: Init() runs now, Exit() when the last reference goes.
template <class T, class... Args>
Ref<T> RuntimeNewObject(Args&&... args) {
  std::shared_ptr<T> p(new T(std::forward<Args>(args)...), [](T* o) {
    o->Exit();
    delete o;
  });
  p->Init();
  return Ref<T>(std::move(p));
}

// Nil passes through; an object of another class raises IllegalCastException.
template <class T, class U>
Ref<T> RuntimeCheckCast(const Ref<U>& object) {
  if (!object) return nullptr;
  if (auto p = std::dynamic_pointer_cast<T>(object.shared())) return Ref<T>(std::move(p));
  throw IllegalCastException(object->ClassName() + " is not a " + T::kClassName);
}

// Whether the object is of the class or of a subclass of it.
template <class T, class U>
bool RuntimeObjectIsa(const Ref<U>& object) {
  return object && dynamic_cast<T*>(object.get()) != nullptr;
}

}  // namespace fw
