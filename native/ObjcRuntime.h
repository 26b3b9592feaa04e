#pragma once
// A small message-sending runtime in the manner of the Objective-C one: selectors interned by
// name, class objects looked up by name, and objc_msgSend to native window, view, cell, colour and
// font objects. Messaging nil, a destroyed object or a stranger does nothing and returns nil/0.
// Main thread only.
#include <array>
#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>

namespace native {

using Ptr = void*;

// An interned selector: the same name always gives the same SEL.
struct Selector {
  std::string name;
};
using SEL = const Selector*;

class Result;

// One argument of a message: an object, a double, an integer or a boolean.
class Arg {
 public:
  enum class Kind { Ptr, Double, Integer, Bool };

  Arg() = default;  // nil
  Arg(std::nullptr_t) {}
  Arg(const void* p) : kind_(Kind::Ptr), ptr_(const_cast<void*>(p)) {}
  Arg(bool b) : kind_(Kind::Bool), integer_(b) {}
  template <std::floating_point T>
  Arg(T d) : kind_(Kind::Double), double_(static_cast<double>(d)) {}
  template <class T>
    requires(std::integral<T> && !std::same_as<T, bool>) || std::is_enum_v<T>
  Arg(T i) : kind_(Kind::Integer), integer_(static_cast<long long>(i)) {}
  Arg(const Result& r);

  Kind kind() const { return kind_; }
  // Lenient readings, so that a mistyped argument gives a harmless value.
  Ptr AsPtr() const { return kind_ == Kind::Ptr ? ptr_ : nullptr; }
  double AsDouble() const;
  long long AsInteger() const;
  bool AsBool() const;

 private:
  Kind kind_ = Kind::Ptr;
  Ptr ptr_ = nullptr;
  double double_ = 0.0;
  long long integer_ = 0;
};

// What a message returns: an object or a double; nil/0 when nothing came back.
class Result {
 public:
  Result() = default;
  static Result Object(Ptr p) {
    Result r;
    r.ptr_ = p;
    return r;
  }
  static Result Number(double d) {
    Result r;
    r.isNumber_ = true;
    r.double_ = d;
    return r;
  }

  operator Ptr() const { return ptr_; }
  operator double() const { return double_; }
  explicit operator bool() const { return isNumber_ ? double_ != 0.0 : ptr_ != nullptr; }
  bool IsNumber() const { return isNumber_; }
  Ptr AsPtr() const { return ptr_; }
  double AsDouble() const { return double_; }

 private:
  bool isNumber_ = false;
  Ptr ptr_ = nullptr;
  double double_ = 0.0;
};

inline Arg::Arg(const Result& r) {
  if (r.IsNumber()) {
    kind_ = Kind::Double;
    double_ = r.AsDouble();
  } else {
    ptr_ = r.AsPtr();
  }
}

// Delivers one message; objc_msgSend packs its arguments and calls this.
Result Send(Ptr receiver, SEL selector, std::span<const Arg> args);

}  // namespace native

using SEL = native::SEL;

// The selector of that name (nullptr for a null name).
SEL sel_registerName(const char* name);

// The class object of that name: "NSColor" or "NSFont"; nil for any other name.
native::Ptr NSClassFromString(const char* name);

// Sends selector with the arguments (objects, doubles, integers, booleans) to receiver.
template <class... Args>
native::Result objc_msgSend(native::Ptr receiver, SEL selector, Args... args) {
  const std::array<native::Arg, sizeof...(Args)> packed{native::Arg(args)...};
  return native::Send(receiver, selector, packed);
}
