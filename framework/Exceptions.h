#pragma once
// The framework's exception classes. A failure is a C++ exception of one of these; RAII releases
// what a function holds on the way out.
#include <exception>
#include <string>

namespace fw {

class RuntimeException : public std::exception {
 public:
  explicit RuntimeException(std::string message = {}) : message_(std::move(message)) {}
  virtual std::string ClassName() const { return "RuntimeException"; }
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

#define FW_EXCEPTION(cls, base)                                              \
  class cls : public base {                                                  \
   public:                                                                   \
    using base::base;                                                        \
    std::string ClassName() const override { return #cls; }                  \
  };

FW_EXCEPTION(NilObjectException, RuntimeException)
FW_EXCEPTION(IllegalCastException, RuntimeException)
FW_EXCEPTION(OutOfBoundsException, RuntimeException)
FW_EXCEPTION(UnsupportedOperationException, RuntimeException)
FW_EXCEPTION(InvalidArgumentException, RuntimeException)

#undef FW_EXCEPTION

// "NilObjectException: message" for any exception, ours or not.
std::string DescribeException(std::exception_ptr e);

}  // namespace fw
