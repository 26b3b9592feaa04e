#pragma once
// Filled shapes with a border: a rounded rectangle and a rectangle.
#include "framework/RectControl.h"

namespace fw {

class RoundRectangle : public RectControl {
  FW_CLASS("RoundRectangle")
 public:
  Color FillColor() const { return fill_; }
  Color BorderColor() const { return border_; }
  double BorderThickness() const { return thickness_; }
  double CornerWidth() const { return cornerWidth_; }
  double CornerHeight() const { return cornerHeight_; }

  std::vector<std::string> Events() const override { return {"MouseDown", "MouseUp", "Opening"}; }
  void SetProperty(const Property& p) override;

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;

 private:
  Color fill_ = 0xFFFFFF, border_ = 0x000000;
  double thickness_ = 1, cornerWidth_ = 10, cornerHeight_ = 10;
};

class Rectangle : public RectControl {
  FW_CLASS("Rectangle")
 public:
  Color FillColor() const { return fill_; }
  Color TopLeftColor() const { return topLeft_; }
  Color BottomRightColor() const { return bottomRight_; }
  double BorderThickness() const { return thickness_; }

  std::vector<std::string> Events() const override { return {"MouseDown", "MouseUp", "Opening"}; }
  void SetProperty(const Property& p) override;

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;

 private:
  Color fill_ = 0xFFFFFF, topLeft_ = 0x000000, bottomRight_ = 0x000000;
  double thickness_ = 1;
};

}  // namespace fw
