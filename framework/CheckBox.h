#pragma once
// A check box; a click toggles it unless its MouseDown returns True, and a change raises
// ValueChanged.
#include <string>

#include "framework/RectControl.h"

namespace fw {

class CheckBox : public RectControl {
  FW_CLASS("CheckBox")
 public:
  bool Value() const;
  void SetValue(bool on);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  std::vector<std::string> Events() const override {
    return {"ValueChanged", "MouseDown", "Opening"};
  }
  void SetProperty(const Property& p) override;

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;

 private:
  std::string caption_;
  bool value_ = false;
};

}  // namespace fw
