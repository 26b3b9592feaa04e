#pragma once
// Progress indicators: a bar and a spinning wheel.
#include "framework/RectControl.h"

namespace fw {

class ProgressBar : public RectControl {
  FW_CLASS("ProgressBar")
 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;
};

class ProgressWheel : public RectControl {
  FW_CLASS("ProgressWheel")
 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;
};

}  // namespace fw
