#include "framework/TextFitPrivate.h"

#include <QFontMetricsF>

#include <algorithm>

namespace fw {

namespace {

// Both the advance and the ink: a glyph can reach past its advance on either side.
qreal Width(const QFontMetricsF& metrics, const QString& text) {
  return std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).width());
}

}  // namespace

FittedText FitText(const QFont& font, const QString& text, qreal room) {
  QFont fitted = font;
  const int declared = font.pixelSize();
  if (declared <= 0) return {font, text};  // sized in points: shown as it is
  const int floor = std::min(declared, kLegibleFloorPixels);
  for (int size = declared; size >= floor; --size) {
    fitted.setPixelSize(size);
    if (Width(QFontMetricsF(fitted), text) <= room) return {fitted, text};
  }
  return {fitted, QFontMetricsF(fitted).elidedText(text, Qt::ElideRight, room)};
}

}  // namespace fw
