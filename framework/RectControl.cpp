#include "framework/RectControl.h"

#include "framework/ControlPrivate.h"
#include "native/NativeHandlesPrivate.h"
#include "framework/Window.h"
#include "framework/WindowPrivate.h"

namespace fw {

QWidget* WidgetOf(const RectControl& control) {
  return control.Host() ? control.Host()->widget.data() : nullptr;
}

QPoint WindowPos(const QWidget* widget) {
  QPoint p;
  for (const QWidget* w = widget; w && !IsWindowContent(w) && !w->isWindow(); w = w->parentWidget())
    p += w->pos();
  return p;
}

RectControl::RectControl() = default;

RectControl::~RectControl() {
  if (auto* forwarder = dynamic_cast<InputForwarder*>(WidgetOf(*this))) forwarder->owner = nullptr;
}

void RectControl::Constructor() {
  host_ = CreateWidget();
  QWidget* w = WidgetOf(*this);
  if (auto window = Window()) w->setParent(ContentOf(*window));
  w->setFocusPolicy(allowFocus_ ? Qt::StrongFocus : Qt::NoFocus);
  Place(left_, top_, width_, height_);
  w->setVisible(visible_);
  w->setEnabled(enabled_);
}

Integer RectControl::Left() const {
  QWidget* w = WidgetOf(*this);
  return w ? WindowPos(w).x() : left_;
}
Integer RectControl::Top() const {
  QWidget* w = WidgetOf(*this);
  return w ? WindowPos(w).y() : top_;
}
Integer RectControl::Width() const {
  QWidget* w = WidgetOf(*this);
  return w ? w->width() : width_;
}
Integer RectControl::Height() const {
  QWidget* w = WidgetOf(*this);
  return w ? w->height() : height_;
}

void RectControl::SetLeft(Integer left) { Place(left, Top(), Width(), Height()); }
void RectControl::SetTop(Integer top) { Place(Left(), top, Width(), Height()); }
void RectControl::SetWidth(Integer width) { Place(Left(), Top(), width, Height()); }
void RectControl::SetHeight(Integer height) { Place(Left(), Top(), Width(), height); }

void RectControl::Place(Integer left, Integer top, Integer width, Integer height) {
  left_ = left;
  top_ = top;
  width_ = std::max<Integer>(0, width);
  height_ = std::max<Integer>(0, height);
  QWidget* w = WidgetOf(*this);
  if (!w) return;
  QPoint origin = w->parentWidget() ? WindowPos(w->parentWidget()) : QPoint();
  w->setGeometry(static_cast<int>(left - origin.x()), static_cast<int>(top - origin.y()),
                 static_cast<int>(width_), static_cast<int>(height_));
}

void RectControl::SetVisible(bool on) {
  visible_ = on;
  if (QWidget* w = WidgetOf(*this)) w->setVisible(on);
}

void RectControl::SetEnabled(bool on) {
  enabled_ = on;
  if (QWidget* w = WidgetOf(*this)) w->setEnabled(on);
}

void RectControl::SetParent(const Ref<RectControl>& parent) {
  QWidget* w = WidgetOf(*this);
  Integer left = Left(), top = Top();
  parent_ = parent.shared();
  if (!w) return;
  QWidget* to = nullptr;
  if (parent)
    to = WidgetOf(*parent);
  else if (auto window = Window())
    to = ContentOf(*window);
  // Reparenting hides a widget and forgets its place: keep both, in window coordinates.
  w->setParent(to);
  Place(left, top, Width(), Height());
  w->setVisible(visible_);
}

void RectControl::SetTransparent(bool on) {
  transparent_ = on;
  TransparencyChanged();
}

void RectControl::SetAllowFocus(bool on) {
  allowFocus_ = on;
  if (QWidget* w = WidgetOf(*this)) w->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void RectControl::Repaint() const {
  if (QWidget* w = WidgetOf(*this)) w->update();
}

Ptr RectControl::Handle() const { return native::NativeViewFor(WidgetOf(*this)); }

void RectControl::SetProperty(const Property& p) {
  const std::string& n = p.name;
  if (n == "Parent")
    SetParent(RuntimeCheckCast<RectControl>(PropertyAs<Ref<Object>>(p)));
  else if (n == "Left")
    SetLeft(PropertyAs<Integer>(p));
  else if (n == "Top")
    SetTop(PropertyAs<Integer>(p));
  else if (n == "Width")
    SetWidth(PropertyAs<Integer>(p));
  else if (n == "Height")
    SetHeight(PropertyAs<Integer>(p));
  else if (n == "Visible")
    SetVisible(PropertyAs<bool>(p));
  else if (n == "Enabled")
    SetEnabled(PropertyAs<bool>(p));
  else if (n == "TabIndex")
    tabIndex_ = PropertyAs<Integer>(p);
  else if (n == "Transparent")
    SetTransparent(PropertyAs<bool>(p));
  else if (n == "AllowFocus")
    SetAllowFocus(PropertyAs<bool>(p));
  // The focus ring is the style's to draw.
  else if (n == "AllowFocusRing")
    PropertyAs<bool>(p);
  // The window never changes size, so the edge locks have nothing to do; they are kept as declared.
  else if (n == "LockLeft")
    locks_.left = PropertyAs<bool>(p);
  else if (n == "LockTop")
    locks_.top = PropertyAs<bool>(p);
  else if (n == "LockRight")
    locks_.right = PropertyAs<bool>(p);
  else if (n == "LockBottom")
    locks_.bottom = PropertyAs<bool>(p);
  else
    Control::SetProperty(p);
}

}  // namespace fw
