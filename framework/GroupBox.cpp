#include "framework/GroupBox.h"

#include <QPainter>

#include "framework/ControlPrivate.h"

namespace fw {

namespace {

class GroupBoxWidget : public ControlWidget<QWidget> {
 protected:
  void paintEvent(QPaintEvent*) override {
    auto* box = static_cast<GroupBox*>(owner);
    if (!box) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    // A light panel, so that its controls read over whatever lies beneath the window.
    p.setBrush(box->Transparent() ? QBrush(Qt::NoBrush) : QBrush(QColor(236, 236, 236, 235)));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    if (!box->Caption().empty()) {
      p.setPen(Qt::black);
      p.drawText(QRect(8, 2, width() - 16, 16), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::fromStdString(box->Caption()));
    }
  }
};

}  // namespace

std::unique_ptr<WidgetHost> GroupBox::CreateWidget() { return HostFor(this, new GroupBoxWidget); }

void GroupBox::SetProperty(const Property& p) {
  if (p.name == "Caption") {
    caption_ = PropertyAs<std::string>(p);
    Repaint();
  } else {
    RectControl::SetProperty(p);
  }
}

}  // namespace fw
