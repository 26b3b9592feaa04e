#pragma once
// The toolkit side of controls: the widget behind a control, and the one template that forwards a
// widget's input to its control.
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "framework/KeysPrivate.h"
#include "framework/RectControl.h"

namespace fw {

struct WidgetHost {
  explicit WidgetHost(QWidget* w) : widget(w) {}
  ~WidgetHost() { delete widget.data(); }
  QPointer<QWidget> widget;
};

QWidget* WidgetOf(const RectControl& control);
// The widget's top-left corner in the coordinates of the window's content.
QPoint WindowPos(const QWidget* widget);

// Forwards mouse and key input to the control it belongs to. The back-pointer is cleared when the
// control goes, so a late event is dropped.
class InputForwarder {
 public:
  RectControl* owner = nullptr;

 protected:
  // True when the control took the press, and the drags that follow are its own.
  bool Press(QMouseEvent* e) {
    dragging_ = owner && owner->MouseDown(X(e), Y(e));
    return dragging_;
  }
  bool Move(QMouseEvent* e) {
    if (!owner) return false;
    if (dragging_) {
      owner->MouseDrag(X(e), Y(e));
      return true;
    }
    if (e->buttons() == Qt::NoButton) owner->MouseMove(X(e), Y(e));
    return false;
  }
  bool Release(QMouseEvent* e) {
    if (!dragging_) return false;
    dragging_ = false;
    if (owner) owner->MouseUp(X(e), Y(e));
    return true;
  }
  void Enter() {
    if (owner) owner->MouseEnter();
  }
  void Leave() {
    if (owner) owner->MouseExit();
  }
  // True when the control swallowed the key.
  bool Key(QKeyEvent* e) {
    std::string text = KeyText(*e);
    return owner && !text.empty() && owner->KeyDown(text);
  }

 private:
  static Integer X(QMouseEvent* e) { return static_cast<Integer>(e->position().x()); }
  static Integer Y(QMouseEvent* e) { return static_cast<Integer>(e->position().y()); }
  bool dragging_ = false;
};

template <class Base>
class ControlWidget : public Base, public InputForwarder {
 public:
  using Base::Base;

 protected:
  // A disabled control takes the click and does nothing with it; it does not reach the window.
  bool event(QEvent* e) override {
    if (!this->isEnabled()) switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
          e->accept();
          return true;
        default:
          break;
      }
    return Base::event(e);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (Press(e)) return e->accept();
    Base::mousePressEvent(e);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (Move(e)) return e->accept();
    Base::mouseMoveEvent(e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (Release(e)) return e->accept();
    Base::mouseReleaseEvent(e);
  }
  void enterEvent(QEnterEvent* e) override {
    Enter();
    Base::enterEvent(e);
  }
  void leaveEvent(QEvent* e) override {
    Leave();
    Base::leaveEvent(e);
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (Key(e)) return e->accept();
    Base::keyPressEvent(e);
  }
};

// Makes the host of a new forwarding widget for a control.
template <class W>
std::unique_ptr<WidgetHost> HostFor(RectControl* owner, W* widget) {
  widget->owner = owner;
  return std::make_unique<WidgetHost>(widget);
}

}  // namespace fw
