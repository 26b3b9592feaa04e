#pragma once
// A canvas shows its backdrop picture and raises the mouse events it receives.
#include "framework/RectControl.h"

namespace fw {

class Picture;

class Canvas : public RectControl {
  FW_CLASS("Canvas")
 public:
  Ref<Picture> Backdrop() const { return backdrop_; }
  void SetBackdrop(const Ref<Picture>& picture);

  std::vector<std::string> Events() const override {
    return {"MouseDown", "MouseDrag", "MouseEnter", "MouseMove", "MouseExit", "MouseUp", "Opening"};
  }
  void SetProperty(const Property& p) override;

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;

 private:
  Ref<Picture> backdrop_;
};

}  // namespace fw
