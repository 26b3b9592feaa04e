#pragma once
// The desktop as the program sees it: the pointer's position, how many device pixels a point
// holds on the screen under the pointer, and one yield to the runtime's other threads. A service
// with a real implementation and a test double.
#include <memory>

#include "framework/Object.h"

namespace fw {

class SystemService {
 public:
  virtual ~SystemService() = default;
  // The pointer's position on the screen, in points, read anew at each call.
  virtual Integer MouseX() = 0;
  virtual Integer MouseY() = 0;
  // Device pixels per point on the screen under the pointer: 1 on an ordinary screen, 2 on a
  // doubled one. A screen picture is in device pixels, a pointer position in points.
  virtual double PixelsPerPoint() = 0;
  // Lets the runtime's other threads run once.
  virtual void BackgroundTask() = 0;
};

// The real desktop: the toolkit's cursor position and screens.
class DesktopSystemService : public SystemService {
 public:
  Integer MouseX() override;
  Integer MouseY() override;
  double PixelsPerPoint() override;
  void BackgroundTask() override;
};

// A test double: the pointer and the ratio are set by hand; reads and yields are counted.
class ManualSystemService : public SystemService {
 public:
  Integer MouseX() override {
    ++mouseReads_;
    return x_;
  }
  Integer MouseY() override {
    ++mouseReads_;
    return y_;
  }
  double PixelsPerPoint() override { return ratio_; }
  void BackgroundTask() override { ++yields_; }

  void SetMouse(Integer x, Integer y) {
    x_ = x;
    y_ = y;
  }
  void SetPixelsPerPoint(double ratio) { ratio_ = ratio; }
  // MouseX and MouseY calls together.
  int MouseReads() const { return mouseReads_; }
  int Yields() const { return yields_; }
  void ResetCounts() { mouseReads_ = yields_ = 0; }

 private:
  Integer x_ = 0;
  Integer y_ = 0;
  double ratio_ = 1.0;
  int mouseReads_ = 0;
  int yields_ = 0;
};

// The service in force: DesktopSystemService unless a test set another.
SystemService& GetSystemService();
// Puts a service in force; nullptr puts the real one back.
void SetSystemService(std::unique_ptr<SystemService> service);

namespace System {
inline Integer MouseX() { return GetSystemService().MouseX(); }
inline Integer MouseY() { return GetSystemService().MouseY(); }
inline double PixelsPerPoint() { return GetSystemService().PixelsPerPoint(); }
}  // namespace System

// One yield to the runtime, which lets its other threads run. Runs no events: a handler that
// yields is never re-entered.
inline void RuntimeBackgroundTask() { GetSystemService().BackgroundTask(); }

}  // namespace fw
