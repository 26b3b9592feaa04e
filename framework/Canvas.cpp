#include "framework/Canvas.h"

#include <QPainter>

#include "framework/ControlPrivate.h"
#include "framework/Picture.h"
#include "framework/PicturePrivate.h"

namespace fw {

namespace {

class CanvasWidget : public ControlWidget<QWidget> {
 public:
  CanvasWidget() { setMouseTracking(true); }
  Canvas* canvas() const { return static_cast<Canvas*>(owner); }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!owner) return;
    auto picture = canvas()->Backdrop();
    if (!picture) return;
    QPainter painter(this);
    painter.drawImage(QRect(0, 0, picture->Width(), picture->Height()), ImageOf(*picture));
  }
};

}  // namespace

std::unique_ptr<WidgetHost> Canvas::CreateWidget() { return HostFor(this, new CanvasWidget); }

void Canvas::SetBackdrop(const Ref<Picture>& picture) {
  backdrop_ = picture;
  Repaint();
}

void Canvas::SetProperty(const Property& p) {
  if (p.name == "Backdrop")
    SetBackdrop(RuntimeCheckCast<Picture>(PropertyAs<Ref<Object>>(p)));
  else
    RectControl::SetProperty(p);
}

}  // namespace fw
