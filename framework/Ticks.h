#pragma once
// The tick counter: 60 ticks a second since the system started. A service with a real
// implementation and a test double.
#include <memory>

#include "framework/Object.h"

namespace fw {

class TickService {
 public:
  virtual ~TickService() = default;
  virtual Integer Ticks() = 0;
};

// The real counter, on the monotonic clock.
class ClockTickService : public TickService {
 public:
  Integer Ticks() override;
};

// A test double: the count is set by hand.
class ManualTickService : public TickService {
 public:
  explicit ManualTickService(Integer start = 0) : now_(start) {}
  Integer Ticks() override { return now_; }
  void Set(Integer now) { now_ = now; }
  void Advance(Integer by) { now_ += by; }

 private:
  Integer now_;
};

TickService& GetTickService();
// Puts a service in force; nullptr puts the real one back.
void SetTickService(std::unique_ptr<TickService> service);

Integer Ticks();

}  // namespace fw
