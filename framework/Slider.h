#pragma once
// A horizontal slider over an integer range; a change of its value raises ValueChanged.
#include "framework/RectControl.h"

namespace fw {

class Slider : public RectControl {
  FW_CLASS("Slider")
 public:
  Integer Value() const;
  void SetValue(Integer value);
  Integer MinimumValue() const { return minimum_; }
  Integer MaximumValue() const { return maximum_; }
  void SetRange(Integer minimum, Integer maximum);

  std::vector<std::string> Events() const override { return {"ValueChanged", "Opening"}; }
  void SetProperty(const Property& p) override;

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;

 private:
  Integer value_ = 0, minimum_ = 0, maximum_ = 100, lineStep_ = 1, pageStep_ = 20;
  bool live_ = true;
};

}  // namespace fw
