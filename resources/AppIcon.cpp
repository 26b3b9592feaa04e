#include "resources/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

#include "resources/Palette.h"

namespace {

// The design is laid out on a 256-unit square and scaled to each size.
constexpr double kUnits = 256;
constexpr double kEdge = 20;              // margin around the ruler
constexpr double kDepth = 64;             // a strip's width
constexpr double kInner = kEdge + kDepth;  // the vertical strip's inner edge
constexpr double kBase = kUnits - kEdge - kDepth;  // the horizontal strip's inner edge

}  // namespace

QImage DrawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kUnits, size / kUnits);

  // The L of the two strips, opaque so that the icon reads on any background, with a light rim
  // for dark ones.
  QPainterPath down, across;
  down.addRoundedRect(QRectF(kEdge, kEdge, kDepth, kUnits - 2 * kEdge), 10, 10);
  across.addRoundedRect(QRectF(kEdge, kBase, kUnits - 2 * kEdge, kDepth), 10, 10);
  const QPainterPath ruler = down.united(across);
  QColor strip = kBlackSet.strip;
  strip.setAlpha(255);
  p.setPen(QPen(kBlackSet.mark, 5));
  p.setBrush(strip);
  p.drawPath(ruler);

  // Marks from the inner edges, longer every fifth; fewer and bolder when the icon is small.
  const bool small = size < 48;
  const double step = small ? 32 : 16;
  const double width = small ? 10 : 6;
  for (int i = 0;; ++i) {
    const double at = kInner + i * step;
    if (at > kUnits - kEdge - 12) break;
    const double length = i % (small ? 2 : 4) == 0 ? 34 : 18;
    const QColor& colour = i == 0 ? kBlackSet.zero : kBlackSet.mark;
    p.fillRect(QRectF(at - width / 2, kBase, width, length), colour);
    p.fillRect(QRectF(kInner - length, kBase - i * step - width / 2, length, width), colour);
  }

  // A caliper jaw across the horizontal strip, its measuring edge facing the zero.
  const QRectF jaw(150, 116, 44, 124);
  p.setPen(QPen(kCaliperOutline, 5));
  QColor body = kCaliperBody;
  body.setAlpha(255);
  p.setBrush(body);
  p.drawRoundedRect(jaw, 8, 8);
  p.fillRect(QRectF(jaw.left() - 2.5, jaw.top() + 4, small ? 12 : 8, jaw.height() - 8),
             kMeasuringEdge);
  return image;
}
