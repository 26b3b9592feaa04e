#pragma once
// Where a service is held: the real one, Real, until a test puts another in force; nullptr puts
// the real one back.
#include <memory>

namespace fw {

template <class Service, class Real>
class ServiceSlot {
 public:
  static Service& Get() { return *Held(); }
  static void Set(std::unique_ptr<Service> service) {
    Held() = service ? std::move(service) : std::make_unique<Real>();
  }

 private:
  static std::unique_ptr<Service>& Held() {
    static std::unique_ptr<Service> service = std::make_unique<Real>();
    return service;
  }
};

}  // namespace fw
