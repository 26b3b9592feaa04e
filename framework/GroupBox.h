#pragma once
// A group box: a framed panel that holds other controls.
#include <string>

#include "framework/RectControl.h"

namespace fw {

class GroupBox : public RectControl {
  FW_CLASS("GroupBox")
 public:
  const std::string& Caption() const { return caption_; }

  std::vector<std::string> Events() const override { return {"Opening"}; }
  void SetProperty(const Property& p) override;

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;

 private:
  std::string caption_;
};

}  // namespace fw
