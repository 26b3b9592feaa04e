#include "framework/Ticks.h"

#include <chrono>

#include "framework/ServiceSlot.h"

namespace fw {

namespace {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

using Slot = ServiceSlot<TickService, ClockTickService>;

}  // namespace

Integer ClockTickService::Ticks() { return NowNs() / 1'000'000 * 60 / 1000; }

TickService& GetTickService() { return Slot::Get(); }

void SetTickService(std::unique_ptr<TickService> service) { Slot::Set(std::move(service)); }

Integer Ticks() { return GetTickService().Ticks(); }

}  // namespace fw
