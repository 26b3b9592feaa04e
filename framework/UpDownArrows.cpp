#include "framework/UpDownArrows.h"

#include <QPainter>
#include <QPainterPath>

#include "framework/ControlPrivate.h"

namespace fw {

namespace {

class ArrowsWidget : public ControlWidget<QWidget> {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor ink = isEnabled() ? QColor(40, 40, 40) : QColor(150, 150, 150);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(QColor(245, 245, 245));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.drawLine(QPointF(1, height() / 2.0), QPointF(width() - 1, height() / 2.0));
    double w = width(), h = height() / 2.0, s = std::min(w, h) * 0.3;
    for (int half = 0; half < 2; ++half) {
      double cy = h * half + h / 2, dir = half == 0 ? -1 : 1;
      QPainterPath arrow;
      arrow.moveTo(w / 2 - s, cy - dir * s / 2);
      arrow.lineTo(w / 2 + s, cy - dir * s / 2);
      arrow.lineTo(w / 2, cy + dir * s / 2);
      arrow.closeSubpath();
      p.fillPath(arrow, ink);
    }
  }
  void mousePressEvent(QMouseEvent* e) override {
    auto* arrows = static_cast<UpDownArrows*>(owner);
    if (!arrows) return;
    e->accept();
    if (e->position().y() < height() / 2.0)
      arrows->PressUp();
    else
      arrows->PressDown();
  }
};

}  // namespace

std::unique_ptr<WidgetHost> UpDownArrows::CreateWidget() { return HostFor(this, new ArrowsWidget); }

}  // namespace fw
