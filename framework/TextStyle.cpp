#include "framework/TextStyle.h"

#include <QApplication>

#include "framework/TextStylePrivate.h"
#include "native/SystemFonts.h"

namespace fw {

bool TextStyle::SetProperty(const Property& p) {
  const std::string& n = p.name;
  if (n == "FontName")
    fontName = PropertyAs<std::string>(p);
  else if (n == "FontSize")
    fontSize = PropertyAs<double>(p);
  else if (n == "Bold")
    bold = PropertyAs<bool>(p);
  else if (n == "Italic")
    italic = PropertyAs<bool>(p);
  else if (n == "Underline")
    underline = PropertyAs<bool>(p);
  else if (n == "TextAlignment")
    alignment = PropertyAs<Integer>(p);
  else if (n == "TextColor")
    textColor = static_cast<Color>(PropertyAs<Integer>(p));
  else
    return false;
  return true;
}

QFont FontOf(const TextStyle& style) {
  QFont font = QApplication::font();
  const bool system = style.fontName == "System" || style.fontName.empty();
  font.setFamily(system ? QString::fromLatin1(native::kSystemFontFamily)
                        : QString::fromStdString(style.fontName));
  font.setPixelSize(style.fontSize > 0 ? static_cast<int>(style.fontSize + 0.5) : 13);
  font.setBold(style.bold);
  font.setItalic(style.italic);
  font.setUnderline(style.underline);
  return font;
}

Qt::Alignment AlignmentOf(const TextStyle& style) {
  switch (style.alignment) {
    case 2:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case 3:
      return Qt::AlignRight | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

QColor QColorOf(Color color) { return QColor(QRgb(0xFF000000u | (color & 0xFFFFFFu))); }

}  // namespace fw
