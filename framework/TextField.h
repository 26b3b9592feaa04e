#pragma once
// A one-line text field; its KeyDown sees a typed key first and swallows it by returning True.
#include <string>

#include "framework/RectControl.h"
#include "framework/TextStyle.h"

namespace fw {

class TextField : public RectControl {
  FW_CLASS("TextField")
 public:
  std::string Text() const;
  void SetText(const std::string& text);
  // The hint shown while the field is empty.
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool HasBorder() const { return hasBorder_; }
  void SetHasBorder(bool on);
  Color BackgroundColor() const { return background_; }
  Color TextColor() const { return style_.textColor; }
  bool ReadOnly() const { return readOnly_; }
  // 0: no limit.
  Integer MaximumCharactersAllowed() const { return maxChars_; }

  std::vector<std::string> Events() const override {
    return {"KeyDown", "Opening", "TextChanged", "MouseDown"};
  }
  void SetProperty(const Property& p) override;

 protected:
  std::unique_ptr<WidgetHost> CreateWidget() override;
  void TransparencyChanged() override { Restyle(); }

 private:
  void Restyle();
  std::string text_, hint_;
  TextStyle style_;
  Color background_ = 0xFFFFFF;
  bool hasBorder_ = true, readOnly_ = false, password_ = false;
  Integer maxChars_ = 0;
};

}  // namespace fw
