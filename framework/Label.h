#pragma once
// A label: one line of text.
#include <string>

#include "framework/RectControl.h"
#include "framework/TextStyle.h"

namespace fw {

class Label : public RectControl {
  FW_CLASS("Label")
 public:
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // The same as Text.
  const std::string& Value() const { return text_; }
  void SetValue(std::string text) { SetText(std::move(text)); }
  Color TextColor() const { return style_.textColor; }
  void SetTextColor(Color color);
  const TextStyle& Style() const { return style_; }

  std::vector<std::string> Events() const override {
    return {"MouseDown", "MouseDrag", "MouseUp", "Opening"};
  }
  void SetProperty(const Property& p) override;

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;
  void TransparencyChanged() override { Restyle(); }

 private:
  void Restyle();
  std::string text_;
  TextStyle style_;
  bool multiline_ = false;
};

}  // namespace fw
