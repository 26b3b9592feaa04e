#include "framework/Timer.h"

#include <QTimer>

namespace fw {

struct Timer::Clock {
  QTimer timer;
};

Timer::Timer() : clock_(std::make_unique<Clock>()) {
  QObject::connect(&clock_->timer, &QTimer::timeout, [this] { Fire(); });
}

Timer::~Timer() = default;

void Timer::SetRunMode(Integer mode) {
  runMode_ = (mode == kSingle || mode == kMultiple) ? mode : kOff;
  Restart();
}

void Timer::SetPeriod(Integer ms) {
  period_ = ms < 1 ? 1 : ms;
  Restart();
}

void Timer::Restart() {
  clock_->timer.stop();
  if (runMode_ == kOff) return;
  clock_->timer.setSingleShot(runMode_ == kSingle);
  clock_->timer.start(static_cast<int>(std::min<Integer>(period_, 0x7fffffff)));
}

void Timer::Fire() {
  // A single run ends in the off mode, before the handler can start the timer again.
  if (runMode_ == kSingle) {
    runMode_ = kOff;
    clock_->timer.stop();
  }
  RaiseEvent("Run");
}

void Timer::SetProperty(const Property& p) {
  if (p.name == "RunMode")
    SetRunMode(PropertyAs<Integer>(p));
  else if (p.name == "Period")
    SetPeriod(PropertyAs<Integer>(p));
  else
    Control::SetProperty(p);
}

}  // namespace fw
