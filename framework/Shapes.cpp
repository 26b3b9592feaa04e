#include "framework/Shapes.h"

#include <QPainter>

#include "framework/ControlPrivate.h"
#include "framework/TextStylePrivate.h"

namespace fw {

namespace {

class RoundRectangleWidget : public ControlWidget<QWidget> {
 protected:
  void paintEvent(QPaintEvent*) override {
    auto* r = static_cast<RoundRectangle*>(owner);
    if (!r) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    double t = r->BorderThickness();
    QRectF box = QRectF(rect()).adjusted(t / 2, t / 2, -t / 2, -t / 2);
    p.setPen(t > 0 ? QPen(QColorOf(r->BorderColor()), t) : Qt::NoPen);
    p.setBrush(r->Transparent() ? QBrush(Qt::NoBrush) : QBrush(QColorOf(r->FillColor())));
    p.drawRoundedRect(box, r->CornerWidth() / 2, r->CornerHeight() / 2);
  }
};

class RectangleWidget : public ControlWidget<QWidget> {
 protected:
  void paintEvent(QPaintEvent*) override {
    auto* r = static_cast<Rectangle*>(owner);
    if (!r) return;
    QPainter p(this);
    if (!r->Transparent()) p.fillRect(rect(), QColorOf(r->FillColor()));
    int t = static_cast<int>(r->BorderThickness() + 0.5);
    if (t <= 0) return;
    // The top and left edges in one colour, the bottom and right in the other.
    p.fillRect(0, 0, width(), t, QColorOf(r->TopLeftColor()));
    p.fillRect(0, 0, t, height(), QColorOf(r->TopLeftColor()));
    p.fillRect(0, height() - t, width(), t, QColorOf(r->BottomRightColor()));
    p.fillRect(width() - t, 0, t, height(), QColorOf(r->BottomRightColor()));
  }
};

Color ColorValue(const Property& p) { return static_cast<Color>(PropertyAs<Integer>(p)); }

}  // namespace

std::unique_ptr<WidgetHost> RoundRectangle::CreateWidget() {
  return HostFor(this, new RoundRectangleWidget);
}

void RoundRectangle::SetProperty(const Property& p) {
  const std::string& n = p.name;
  if (n == "FillColor")
    fill_ = ColorValue(p);
  else if (n == "BorderColor")
    border_ = ColorValue(p);
  else if (n == "BorderThickness")
    thickness_ = PropertyAs<double>(p);
  else if (n == "CornerWidth")
    cornerWidth_ = PropertyAs<double>(p);
  else if (n == "CornerHeight")
    cornerHeight_ = PropertyAs<double>(p);
  else
    return RectControl::SetProperty(p);
  Repaint();
}

std::unique_ptr<WidgetHost> Rectangle::CreateWidget() { return HostFor(this, new RectangleWidget); }

void Rectangle::SetProperty(const Property& p) {
  const std::string& n = p.name;
  if (n == "FillColor")
    fill_ = ColorValue(p);
  else if (n == "TopLeftColor")
    topLeft_ = ColorValue(p);
  else if (n == "BottomRightColor")
    bottomRight_ = ColorValue(p);
  else if (n == "BorderThickness")
    thickness_ = PropertyAs<double>(p);
  else
    return RectControl::SetProperty(p);
  Repaint();
}

}  // namespace fw
