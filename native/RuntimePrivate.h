#pragma once
// The runtime's objects: each registers itself under a handle that is never reused, so a handle
// kept after its object is gone is simply unknown.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "native/ObjcRuntime.h"

namespace native {

using Args = std::span<const Arg>;

// The argument at i, or nil when the sender gave fewer.
const Arg& ArgAt(Args args, std::size_t i);

class Object {
 public:
  explicit Object(std::string kind);
  virtual ~Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  Ptr Handle() const { return handle_; }
  const std::string& Kind() const { return kind_; }
  // How the object appears as an argument in the message log.
  virtual std::string Describe() const { return kind_; }
  // nullopt: the object does not know the selector.
  virtual std::optional<Result> Receive(std::string_view selector, Args args) = 0;

 private:
  std::string kind_;
  Ptr handle_;
};

// The live object behind a handle; nullptr for nil, unknown and destroyed handles.
Object* Find(Ptr handle);

// A number as the log writes it: shortest text that reads back the same ("0.91", "1", "13").
std::string NumberText(double d);

// For the log (NSClassFromString lives with the objects it finds).
void RecordLookUp(const char* function, const char* name);

}  // namespace native
