#pragma once
// A timer on the event loop: RunMode 0 off, 1 once after Period ms, 2 every Period ms.
#include <memory>

#include "framework/Control.h"

namespace fw {

class Timer : public Control {
  FW_CLASS("Timer")
 public:
  enum : Integer { kOff = 0, kSingle = 1, kMultiple = 2 };
  Timer();
  ~Timer() override;
  virtual void Constructor() {}

  Integer RunMode() const { return runMode_; }
  void SetRunMode(Integer mode);
  Integer Period() const { return period_; }
  void SetPeriod(Integer ms);

  std::vector<std::string> Events() const override { return {"Run"}; }
  void SetProperty(const Property& p) override;

  // What the event loop calls when the period has passed.
  void Fire();

 private:
  void Restart();

  struct Clock;
  std::unique_ptr<Clock> clock_;
  Integer runMode_ = kOff;
  Integer period_ = 1000;
};

}  // namespace fw
