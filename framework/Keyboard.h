#pragma once
// Which keys are held at this moment, by macOS virtual key code (0 to 127), independently of the
// key events queued for the windows. A service with a real implementation and a test double.
#include <memory>
#include <set>
#include <vector>

#include "framework/Object.h"

namespace fw {

class KeyboardService {
 public:
  virtual ~KeyboardService() = default;
  // Whether the key with this macOS virtual key code is down now; codes outside 0 to 127 never are.
  virtual bool AsyncKeyDown(Integer macVirtualKeyCode) = 0;
};

// The real keyboard: the X server's key map (XQueryKeymap) at each call, on one connection of
// its own kept for the run. Without a display no key is ever down.
class XKeyboardService : public KeyboardService {
 public:
  bool AsyncKeyDown(Integer macVirtualKeyCode) override;
};

// A test double: keys are held by hand, and every code asked is recorded in order.
class ManualKeyboardService : public KeyboardService {
 public:
  bool AsyncKeyDown(Integer macVirtualKeyCode) override {
    asked_.push_back(macVirtualKeyCode);
    return held_.count(macVirtualKeyCode) > 0;
  }
  void Press(Integer code) { held_.insert(code); }
  void Release(Integer code) { held_.erase(code); }
  void ReleaseAll() { held_.clear(); }
  const std::vector<Integer>& Asked() const { return asked_; }
  void ForgetAsked() { asked_.clear(); }

 private:
  std::set<Integer> held_;
  std::vector<Integer> asked_;
};

// The X keysyms that stand for a macOS virtual key code: the key is down when any of them is on
// a key that is down. Empty for codes without a key (52, 66, 127 ...) and outside 0 to 127.
std::vector<unsigned long> XKeySymsOfMacKeyCode(Integer macVirtualKeyCode);

// The keyboard object in force: XKeyboardService unless a test set another.
KeyboardService& Keyboard();
// Puts a service in force; nullptr puts the real one back.
void SetKeyboardService(std::unique_ptr<KeyboardService> service);

}  // namespace fw
