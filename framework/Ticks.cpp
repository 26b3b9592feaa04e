#include "framework/Ticks.h"

#include <chrono>

namespace fw {

namespace {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::unique_ptr<TickService>& Service() {
  static std::unique_ptr<TickService> service = std::make_unique<ClockTickService>();
  return service;
}

}  // namespace

Integer ClockTickService::Ticks() { return NowNs() / 1'000'000 * 60 / 1000; }

TickService& GetTickService() { return *Service(); }

void SetTickService(std::unique_ptr<TickService> service) {
  Service() = service ? std::move(service) : std::make_unique<ClockTickService>();
}

Integer Ticks() { return GetTickService().Ticks(); }

}  // namespace fw
