#pragma once
// A pair of arrow buttons, one above the other: UpPressed and DownPressed.
#include "framework/RectControl.h"

namespace fw {

class UpDownArrows : public RectControl {
  FW_CLASS("UpDownArrows")
 public:
  std::vector<std::string> Events() const override { return {"UpPressed", "DownPressed", "Opening"}; }

  // What a press on the upper or lower arrow raises.
  void PressUp() { RaiseEvent("UpPressed"); }
  void PressDown() { RaiseEvent("DownPressed"); }

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;
};

}  // namespace fw
