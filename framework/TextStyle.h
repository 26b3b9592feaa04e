#pragma once
// The font, alignment and colour of a control's text, shared by labels and text fields.
#include <string>

#include "framework/Object.h"
#include "framework/Properties.h"

namespace fw {

struct TextStyle {
  std::string fontName = "System";
  // In points; 0 is the system's size.
  double fontSize = 0;
  bool bold = false, italic = false, underline = false;
  // 0 default (as 1), 1 left, 2 centre, 3 right.
  Integer alignment = 0;
  Color textColor = 0x000000;

  // Takes FontName, FontSize, Bold, Italic, Underline, TextAlignment, TextColor; false for others.
  bool SetProperty(const Property& p);
};

}  // namespace fw
